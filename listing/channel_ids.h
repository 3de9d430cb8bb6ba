// Channel ids of the exports: ASCII, in the dotted form media centres
// expect (^[-a-zA-Z0-9]+(\.[-a-zA-Z0-9]+)+$), the same for the same channel
// name and area on every machine. A user pins an id of their own in the
// settings section "xmltvid" (channel name = id), so that a media centre's
// mapping survives a renamed channel. A channel imported from an XMLTV
// document keeps the document's id, unless one is pinned.
#pragma once

#include <map>
#include <string>
#include <vector>

class SettingsStore;

// True when `id` has the dotted form.
bool isValidChannelId(const std::string& id);

// True when a document's channel id can be exported as it is: up to 64
// ASCII letters, digits, "-", "_" and ".", which no output must escape.
bool isPlainSourceId(const std::string& id);

// The id derived from a channel name (Shift-JIS) and the area key: the
// name's letters and digits (full-width ones folded to ASCII, lower case,
// other runs as "-"), a hash of the name's bytes unless the name is plain
// ASCII letters, digits and hyphens, then the area and "jp", e.g.
// "bs-1a2b3c4d.tokyo.jp".
std::string derivedChannelId(const std::string& name, const std::string& area);

class ChannelIds {
 public:
  // Reads the area and the "xmltvid" section of `settings`, which must
  // outlive this object.
  explicit ChannelIds(const SettingsStore& settings);

  // The ids imported channels had in their document (channel name to id),
  // for idFor; before the first idFor. Ids that are not plain, and an id
  // a second name has too, are passed over.
  void setSourceIds(const std::map<std::string, std::string>& ids);
  // The pinned id of `name` when it has the dotted form, else its source
  // id, else the derived one (a refused pin is noted once).
  std::string idFor(const std::string& name);
  // True when the settings pin an id to any channel name.
  bool pinsAny() const;
  // A message (Shift-JIS) for each pinned id that was refused.
  const std::vector<std::string>& refusals() const { return refusals_; }

 private:
  const SettingsStore& settings_;
  std::string area_;
  std::map<std::string, std::string> ids_;
  std::map<std::string, std::string> sourceIds_;
  std::vector<std::string> refusals_;
};
