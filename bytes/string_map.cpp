#include "bytes/string_map.h"

#include <climits>
#include <cstdio>

int parseLeadingInt(const std::string& text) {
  std::string::size_type i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

int lookupInt(const StringMap& map, const std::string& key, int fallback) {
  auto found = map.find(key);
  return found == map.end() ? fallback : parseLeadingInt(found->second);
}

std::string lookupString(const StringMap& map, const std::string& key, const char* fallback) {
  auto found = map.find(key);
  if (found != map.end()) return found->second;
  return fallback ? fallback : "";
}

void storeInt(StringMap& map, const std::string& key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  map[key] = text;
}

bool breaksSettingsLine(const std::string& text) {
  return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

bool storeString(StringMap& map, const std::string& key, const std::string& value) {
  if (breaksSettingsLine(key) || breaksSettingsLine(value)) return false;
  map[key] = value;
  return true;
}
