#include "config/settings_store.h"

#include "bytes/buffered_sink.h"
#include "bytes/local_file.h"
#include "bytes/memory_bytes.h"
#include "config/settings_encoding.h"
#include "os/os.h"

#include <utility>
#include <vector>

namespace {

enum class LineState { start, inHeader, inKey, inValue, afterHeader };

// Backups ".bak", ".bak1" ... ".bak99" before a save gives up.
const int kMaxBackups = 100;

bool writeAll(Stream& file, const std::string& text) {
  return file.write(text.data(), static_cast<int>(text.size())) == static_cast<int>(text.size());
}

bool readWholeFile(const std::string& path, std::string& content) {
  LocalFile file;
  if (!file.openForRead(path)) return false;
  char block[1024];
  int n;
  while ((n = file.read(block, sizeof block)) > 0) content.append(block, static_cast<std::size_t>(n));
  return n == 0;
}

bool writeWholeFile(const std::string& path, const std::string& content) {
  LocalFile file;
  bool written = file.createPrivateForWrite(path) &&
                 file.write(content.data(), static_cast<int>(content.size())) ==
                     static_cast<int>(content.size());
  written = file.close() && written;
  if (!written) os::removeFile(path);
  return written;
}

}  // namespace

bool SettingsStore::load(const std::string& path) {
  path_ = path;
  // A missing file holds nothing a save could lose; any other failure to
  // read it has the next save keep the file first.
  loadedWhole_ = os::fileAttributes(path) == -1;
  Sections entries;
  bool whole;
  if (!readFile(path, entries, whole, form_)) return false;
  loaded_ = std::move(entries);
  loadedWhole_ = whole;
  for (const auto& section : loaded_) {
    for (const auto& entry : section.second) sections_[section.first][entry.first] = entry.second;
  }
  return loadedWhole_;
}

bool SettingsStore::readWholeFileNow(Sections& disk) const {
  bool whole;
  SettingsFileForm form;
  return readFile(path_, disk, whole, form) && whole;
}

// The whole file at once: its encoding is told by all of its bytes.
bool SettingsStore::readFile(const std::string& path, Sections& into, bool& whole, SettingsFileForm& form) {
  LocalFile file;
  if (!file.openForRead(path)) return false;
  std::string content;
  char block[1024];
  // A read error ends the bytes as the end of the file would.
  for (int n; (n = file.read(block, sizeof block)) > 0;) content.append(block, static_cast<std::size_t>(n));
  StringByteSource reader(settingsTextAsCp932(content, form));
  whole = readEntries(reader, into);
  return true;
}

bool SettingsStore::readEntries(ByteSource& reader, Sections& into) {
  std::string currentSection, key, value;
  LineState state = LineState::start;
  for (int c; (c = reader.nextByte()) >= 0;) {
    if (c == '\r') continue;
    if (c == '\n') {
      if (state == LineState::inHeader) return false;
      if (state == LineState::inKey || state == LineState::inValue) {
        into[currentSection][key] = value;
        key.clear();
        value.clear();
      }
      state = LineState::start;
      continue;
    }
    char byte = static_cast<char>(c);
    switch (state) {
      case LineState::start:
        if (byte == '[') {
          currentSection.clear();
          state = LineState::inHeader;
        } else {
          key += byte;
          state = LineState::inKey;
        }
        break;
      case LineState::inHeader:
        if (byte == ']') state = LineState::afterHeader;
        else currentSection += byte;
        break;
      case LineState::inKey:
        if (byte == '=') state = LineState::inValue;
        else key += byte;
        break;
      case LineState::inValue:
        value += byte;
        break;
      case LineState::afterHeader:
        break;
    }
  }
  // A last line without LF ends like any other line.
  if (state == LineState::inHeader) return false;
  if (state == LineState::inKey || state == LineState::inValue) into[currentSection][key] = value;
  return true;
}

bool SettingsStore::keepBackup() {
  std::string original;
  if (!readWholeFile(path_, original)) return false;
  for (int n = 0; n < kMaxBackups; ++n) {
    std::string candidate = path_ + ".bak" + (n == 0 ? std::string() : std::to_string(n));
    if (os::fileAttributes(candidate) == -1) {
      if (!writeWholeFile(candidate, original)) return false;
      backupPath_ = candidate;
      return true;
    }
    // An older backup of the same bytes already keeps them.
    std::string older;
    if (readWholeFile(candidate, older) && older == original) {
      backupPath_ = candidate;
      return true;
    }
  }
  return false;
}

namespace {

const std::string* valueIn(const std::map<std::string, StringMap, ByteOrder>& sections,
                           const std::string& section, const std::string& key) {
  auto found = sections.find(section);
  if (found == sections.end()) return nullptr;
  auto entry = found->second.find(key);
  return entry == found->second.end() ? nullptr : &entry->second;
}

bool sameValue(const std::string* a, const std::string* b) { return a == b || (a && b && *a == *b); }

const StringMap* findIn(const std::map<std::string, StringMap, ByteOrder>& sections, const std::string& name) {
  auto found = sections.find(name);
  return found == sections.end() ? nullptr : &found->second;
}

}  // namespace

// A three-way merge by key: what this store changed since loaded_ wins,
// everything else is taken as the file holds it now.
void SettingsStore::takeOverChangesOnDisk() {
  if (!loadedWhole_) return;  // the file is being kept as a backup instead
  Sections disk;
  if (!readWholeFileNow(disk)) return;
  for (const auto& section : disk) sections_[section.first];
  std::vector<std::pair<std::string, std::string>> keys;
  for (const Sections* sections : {&disk, &loaded_, &sections_}) {
    for (const auto& section : *sections) {
      for (const auto& entry : section.second) keys.emplace_back(section.first, entry.first);
    }
  }
  for (const auto& key : keys) takeOverKey(disk, key.first, key.second);
}

void SettingsStore::takeOverKey(const Sections& disk, const std::string& section, const std::string& key) {
  const std::string* mine = valueIn(sections_, section, key);
  if (!sameValue(mine, valueIn(loaded_, section, key))) return;
  const std::string* theirs = valueIn(disk, section, key);
  if (sameValue(mine, theirs)) return;
  if (theirs) sections_[section][key] = *theirs;
  else sections_[section].erase(key);
}

bool SettingsStore::takeOverSections(const std::vector<std::string>& names) {
  if (path_.empty() || !loadedWhole_) return false;
  Sections disk;
  if (!readWholeFileNow(disk)) return false;
  for (const std::string& name : names) {
    std::vector<std::string> keys;
    for (const Sections* sections : {&disk, &loaded_, &sections_}) {
      const StringMap* lines = findIn(*sections, name);
      if (lines) for (const auto& entry : *lines) keys.push_back(entry.first);
    }
    for (const std::string& key : keys) takeOverKey(disk, name, key);
    // What the file holds there now is the ground of this store's own changes.
    const StringMap* lines = findIn(disk, name);
    if (lines) loaded_[name] = *lines;
    else loaded_.erase(name);
  }
  return true;
}

bool SettingsStore::takeLock(os::FileLock& lock, const std::string& path) {
  lockFailure_.clear();
  if (lock.acquire(lockPath(path))) return true;
  lockFailure_ = lockPath(path) + ": " + os::lastErrorText();
  return false;
}

bool SettingsStore::lockForUpdate(const std::string& path) { return takeLock(lock_, path); }

bool SettingsStore::save() {
  if (path_.empty()) return false;
  backupPath_.clear();
  os::FileLock ownLock;
  // Unlocked, another program's save could come between the read and the
  // write and lose its changes: no save goes ahead without the lock.
  if (!lock_.held() && !takeLock(ownLock, path_)) return false;
  if (!loadedWhole_ && os::fileAttributes(path_) != -1 && !keepBackup()) return false;
  takeOverChangesOnDisk();
  if (!writeFile(os::linkTarget(path_))) return false;
  loaded_ = sections_;
  loadedWhole_ = true;  // the old file, if it was not read whole, is kept
  return true;
}

bool SettingsStore::writeFile(const std::string& target) {
  // A name of its own: two programs saving at once must not share one.
  const std::string temporary = target + ".new" + std::to_string(os::currentProcessId());
  os::removeFile(temporary);  // a stale one would lend its permissions
  std::string text;
  for (const auto& section : sections_) {
    text += "[" + section.first + "]\r\n";
    for (const auto& entry : section.second) text += entry.first + "=" + entry.second + "\r\n";
  }
  text = settingsTextInForm(text, form_);
  bool complete;
  {
    LocalFile file;
    if (!file.createPrivateForWrite(temporary)) return false;
    complete = writeAll(file, text);
    complete = file.close() && complete;
  }
  if (!complete || !os::replaceKeepingAttributes(temporary, target)) {
    os::removeFile(temporary);
    return false;
  }
  return true;
}

int SettingsStore::getInt(const std::string& section, const std::string& key,
                          int fallback) const {
  auto found = sections_.find(section);
  return found == sections_.end() ? fallback : lookupInt(found->second, key, fallback);
}

std::string SettingsStore::getString(const std::string& section, const std::string& key,
                                     const char* fallback) const {
  auto found = sections_.find(section);
  if (found == sections_.end()) return fallback ? fallback : "";
  return lookupString(found->second, key, fallback);
}

void SettingsStore::setInt(const std::string& section, const std::string& key, int value) {
  storeInt(sections_[section], key, value);
}

bool SettingsStore::setString(const std::string& section, const std::string& key,
                              const std::string& value) {
  if (breaksSettingsLine(section) || breaksSettingsLine(key) || breaksSettingsLine(value)) {
    return false;
  }
  return storeString(sections_[section], key, value);
}
