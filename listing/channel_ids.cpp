// Channel ids: derived, pinned, checked.
#include "listing/channel_ids.h"

#include <cstdint>
#include <cstdio>
#include <set>

#include "config/settings_store.h"
#include "listing/fnv_hash.h"
#include "os/os.h"

namespace {

const char kIdSection[] = "xmltvid";

bool isAsciiAlnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Full-width Latin letters and digits of code page 932 as ASCII; 0 for
// every other double-byte character.
char foldFullWidth(unsigned char lead, unsigned char trail) {
  if (lead != 0x82) return 0;
  if (trail >= 0x4F && trail <= 0x58) return static_cast<char>('0' + trail - 0x4F);
  if (trail >= 0x60 && trail <= 0x79) return static_cast<char>('a' + trail - 0x60);
  if (trail >= 0x81 && trail <= 0x9A) return static_cast<char>('a' + trail - 0x81);
  return 0;
}

// Letters and digits in lower case, every other run as one "-", none at
// either end.
std::string slugOf(const std::string& text) {
  std::string slug;
  bool gap = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    char c = 0;
    if (os::isLeadByte(byte) && i + 1 < text.size()) {
      c = foldFullWidth(byte, static_cast<unsigned char>(text[++i]));
    } else if (isAsciiAlnum(text[i])) {
      c = lower(text[i]);
    }
    if (c == 0) {
      gap = true;
      continue;
    }
    if (gap && !slug.empty()) slug += '-';
    gap = false;
    slug += c;
  }
  return slug;
}

bool isPlainAscii(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name)
    if (!isAsciiAlnum(c) && c != '-') return false;
  return true;
}

std::uint32_t hashOf(const std::string& bytes) {
  Fnv1a32 hash;
  hash.add(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  return hash.value();
}

}  // namespace

bool isValidChannelId(const std::string& id) {
  bool sawDot = false;
  std::size_t partLength = 0;
  for (char c : id) {
    if (c == '.') {
      if (partLength == 0) return false;
      sawDot = true;
      partLength = 0;
    } else if (isAsciiAlnum(c) || c == '-') {
      ++partLength;
    } else {
      return false;
    }
  }
  return sawDot && partLength > 0;
}

bool isPlainSourceId(const std::string& id) {
  if (id.empty() || id.size() > 64) return false;
  for (char c : id)
    if (!isAsciiAlnum(c) && c != '-' && c != '_' && c != '.') return false;
  return true;
}

std::string derivedChannelId(const std::string& name, const std::string& area) {
  std::string id = slugOf(name);
  if (!isPlainAscii(name)) {
    char hash[16];
    std::snprintf(hash, sizeof hash, "%08x", static_cast<unsigned>(hashOf(name)));
    id += (id.empty() ? "ch-" : "-") + std::string(hash);
  }
  // The personal tables' keys begin with "_".
  std::string areaPart = slugOf(area);
  if (!area.empty() && area[0] == '_') areaPart = "my" + areaPart;
  if (areaPart.empty()) areaPart = "area";
  return id + "." + areaPart + ".jp";
}

ChannelIds::ChannelIds(const SettingsStore& settings) : settings_(settings), area_(settings.area()) {}

void ChannelIds::setSourceIds(const std::map<std::string, std::string>& ids) {
  // A channel renamed between two imports would give its id to two names:
  // the first keeps it, the other is derived, so that ids stay unique.
  std::set<std::string> taken;
  for (const auto& entry : ids) {
    if (isPlainSourceId(entry.second) && taken.insert(entry.second).second) sourceIds_[entry.first] = entry.second;
  }
}

bool ChannelIds::pinsAny() const {
  const StringMap* pins = settings_.findSection(kIdSection);
  return pins && !pins->empty();
}

std::string ChannelIds::idFor(const std::string& name) {
  auto known = ids_.find(name);
  if (known != ids_.end()) return known->second;
  auto source = sourceIds_.find(name);
  std::string id = source != sourceIds_.end() ? source->second : derivedChannelId(name, area_);
  const std::string pinned = settings_.getString(kIdSection, name, nullptr);
  if (isValidChannelId(pinned)) {
    id = pinned;
  } else if (!pinned.empty()) {
    refusals_.push_back(std::string("[") + kIdSection + "] " + name + "=" + pinned +
                        ": not a channel id (letters, digits, hyphens, dots: name.area.jp); using " +
                        id);
  }
  ids_[name] = id;
  return id;
}
