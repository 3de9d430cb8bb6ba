#include "config/settings_store.h"

#include "net/buffered_reader.h"
#include "net/buffered_sink.h"
#include "net/local_file.h"
#include "os/os.h"

namespace {

enum class LineState { start, inHeader, inKey, inValue, afterHeader };

bool writeAll(ByteSink& sink, const std::string& text) {
  return sink.write(text.data(), static_cast<int>(text.size())) == static_cast<int>(text.size());
}

}  // namespace

bool SettingsStore::load(const std::string& path) {
  path_ = path;
  LocalFile file;
  if (!file.openForRead(path)) return false;
  BufferedReader reader(file);
  std::string currentSection, key, value;
  LineState state = LineState::start;
  for (int c; (c = reader.nextByte()) >= 0;) {
    if (c == '\r') continue;
    if (c == '\n') {
      if (state == LineState::inHeader) return false;
      if (state == LineState::inKey || state == LineState::inValue) {
        sections_[currentSection][key] = value;
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
  if (state == LineState::inKey || state == LineState::inValue) sections_[currentSection][key] = value;
  return true;
}

bool SettingsStore::save() {
  if (path_.empty()) return false;
  const std::string temporary = path_ + ".new";
  bool complete;
  {
    LocalFile file;
    if (!file.createForWrite(temporary)) return false;
    {
      BufferedSink sink(file);
      complete = true;
      for (const auto& section : sections_) {
        complete = complete && writeAll(sink, "[" + section.first + "]") && sink.newline() == 2;
        for (const auto& entry : section.second) {
          complete = complete && writeAll(sink, entry.first + "=" + entry.second) &&
                     sink.newline() == 2;
        }
      }
      complete = sink.flush() && complete;
    }
    complete = file.close() && complete;
  }
  if (!complete || !os::replaceFile(temporary, path_)) {
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

void SettingsStore::setString(const std::string& section, const std::string& key,
                              const std::string& value) {
  storeString(sections_[section], key, value);
}
