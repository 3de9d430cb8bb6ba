// StringMap: an ordered map of byte strings (unsigned byte order, one value
// per key). It holds a settings section, the HTTP headers and the attributes
// of an HTML tag.
#pragma once

#include <map>
#include <string>

struct ByteOrder {
  bool operator()(const std::string& a, const std::string& b) const {
    // std::string compares with char_traits<char>, whose order is unsigned.
    return a < b;
  }
};

using StringMap = std::map<std::string, std::string, ByteOrder>;

// atoi semantics: optional blanks and sign, leading digits; clamped to the
// int range instead of overflowing. Absent key: the default.
int lookupInt(const StringMap& map, const std::string& key, int fallback);
// A copy of the value; the default (empty when null) when the key is absent.
std::string lookupString(const StringMap& map, const std::string& key, const char* fallback);
void storeInt(StringMap& map, const std::string& key, int value);
// A key or value holding CR, LF or NUL would break the line of a settings
// file: storeString refuses it (false) and leaves the map unchanged.
bool storeString(StringMap& map, const std::string& key, const std::string& value);
bool breaksSettingsLine(const std::string& text);

// The `atoi` rule on a byte string, clamped rather than overflowing.
int parseLeadingInt(const std::string& text);
