// SettingsStore: every setting of the program, as named sections of
// key/value byte strings, read from and written back to one INI-style file.
// The typed accessors below are the only way the rest of the program reads
// or writes a setting; a getter never creates a key, a setter changes
// memory only, and nothing reaches the file before `save`.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "bytes/string_map.h"
#include "config/settings_encoding.h"
#include "os/file_lock.h"

class ByteSource;
struct Setting;

class SettingsStore {
 public:
  SettingsStore() = default;
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // Remembers `path` (even when the file cannot be read), then merges the
  // file's entries. False when the file cannot be opened or a line holds an
  // unterminated section header; entries read before stay.
  bool load(const std::string& path);
  // Writes every section, sorted, to the remembered path. The new content
  // goes to a temporary file first and replaces the old file only when it is
  // complete, so a failed save never leaves a half-written file behind; the
  // old file's permissions stay, a new one is its owner's only, and a
  // symbolic link is written through to its target.
  // When the last load did not read an existing file to its end, the file
  // is first copied to a backup (see backupPath); when that copy fails,
  // nothing is written. False when nothing could be written. With no path,
  // writes nothing.
  // Saves never lose one another's changes: under the lock of lockPath()
  // the file is read again, and every key another program changed since
  // this store's last load or save is taken over unless this store changed
  // the same key; each save writes its own temporary file. A save that
  // cannot take that lock writes nothing (see lockFailure).
  bool save();
  // Holds the file's lock from before a load until release: for a change
  // made from what the file holds now (the next number of a list), so that
  // no other save comes between the read and the write. False when the
  // lock cannot be taken (lockFailure says why); a save without the lock
  // fails too, and never writes unlocked.
  bool lockForUpdate(const std::string& path);
  // The lock file that could not be taken and the system's reason, after a
  // lockForUpdate or save that failed for it; "" otherwise.
  const std::string& lockFailure() const { return lockFailure_; }
  // Takes over what another program changed in the named sections of the
  // file since this store's last load or save, keeping what this store
  // changed there itself and not yet saved; the other sections wait for the
  // next save. For a program that runs long beside the command line. False,
  // changing nothing, when the file cannot be read whole.
  bool takeOverSections(const std::vector<std::string>& names);
  void releaseLock() { lock_.release(); }
  // The settings file's lock file: the path with ".lock" after it.
  static std::string lockPath(const std::string& path) { return path + ".lock"; }

  const std::string& path() const { return path_; }
  // False after a load that stopped early or could not read an existing
  // file, until a save has kept that file as a backup.
  bool loadedWhole() const { return loadedWhole_; }
  // How the last load found the file written (see settings_encoding.h):
  // UTF-8 texts were converted and a save writes Shift-JIS; UTF-16 ones
  // were converted and a save writes UTF-16 again.
  const SettingsFileForm& fileForm() const { return form_; }
  bool wasUtf8() const { return form_.encoding == SettingsFileForm::kUtf8; }
  // The backup the last save kept of a file not read whole; "" for none.
  const std::string& backupPath() const { return backupPath_; }

  int getInt(const std::string& section, const std::string& key, int fallback) const;
  std::string getString(const std::string& section, const std::string& key,
                        const char* fallback) const;
  void setInt(const std::string& section, const std::string& key, int value);
  // False, changing nothing, for a key or value holding CR, LF or NUL
  // (see storeString).
  bool setString(const std::string& section, const std::string& key, const std::string& value);
  // The section of that name, created empty when missing.
  StringMap& section(const std::string& name) { return sections_[name]; }
  bool hasSection(const std::string& name) const { return sections_.count(name) != 0; }
  // The section of that name, or null when missing.
  const StringMap* findSection(const std::string& name) const {
    auto found = sections_.find(name);
    return found == sections_.end() ? nullptr : &found->second;
  }

  // Typed settings, all in the section "_config".
  bool bootDownload() const;
  void setBootDownload(bool on);
  int downloadTime() const;  // hour * 100 + minute, or -1
  void setDownloadTime(int hhmm);
  bool autoDelete() const;
  void setAutoDelete(bool on);
  bool autoClose() const;
  void setAutoClose(bool on);
  bool deleteHtml() const;
  void setDeleteHtml(bool on);
  int days() const;
  void setDays(int days);
  // The days a crawl without the window takes (the command line, the
  // units): `date` when the file holds it, else the whole week. The window
  // keeps `date`'s default, the connect dialog's choice.
  int unattendedDays() const;
  std::string area() const;
  void setArea(const std::string& key);
  std::string tvGuideUser() const;
  void setTvGuideUser(const std::string& user);
  std::string tvGuidePass() const;
  void setTvGuidePass(const std::string& password);
  std::string cookie() const;
  void setCookie(const std::string& cookie);
  std::string server() const;
  int port() const;
  std::string proxyServer() const;
  void setProxyServer(const std::string& host);
  int proxyPort() const;
  void setProxyPort(int port);
  std::string proxyUser() const;
  void setProxyUser(const std::string& user);
  std::string proxyPass() const;
  void setProxyPass(const std::string& password);
  std::string syncServer() const;
  void setSyncServer(const std::string& host);
  int syncPort() const;
  void setSyncPort(int port);
  std::string directory() const;
  int executed() const;
  void setExecuted(int value);
  // The XMLTV file the program keeps current; empty (the default): none.
  std::string xmltvFile() const;
  void setXmltvFile(const std::string& path);
  // An XMLTV file or http:// URL to take the guide from; empty for the
  // guide service.
  std::string xmltvSource() const;
  void setXmltvSource(const std::string& source);
  // The section "xmltvchannels": "N=channel id" lines, the ids in the order
  // of N; empty for every channel of the document.
  std::vector<std::string> xmltvChannels() const;
  // Replaces the section with "1=id", "2=id", ... in the order given; an
  // empty list leaves the section empty (every channel). False, changing
  // nothing, when an id holds CR, LF or NUL.
  bool setXmltvChannels(const std::vector<std::string>& ids);
  // A tuner server's base URL whose JSON API a crawl takes the guide from
  // (before xmltvsource and the guide service); empty: none.
  std::string tunerServer() const;
  void setTunerServer(const std::string& url);
  // The recorder's base URL that reservations go to; empty: the companion
  // tool, as before.
  std::string recorder() const;
  void setRecorder(const std::string& url);
  // Hours after which a crawl fetches today's and tomorrow's slots again
  // (conditionally); 0 or less: never.
  int refreshHours() const;
  void setRefreshHours(int hours);

  // The value of a row of the settings table as its accessor reads it, in
  // the file's form (a switch as 0 or 1).
  std::string effectiveValue(const Setting& row) const;

  // Area choices: the section "area", filled with the 56 built-in rows when
  // it is empty.
  StringMap& areaTable();
  bool isPersonalTable() const;
  // 0 for a prefecture; otherwise 1 to 9 pages per slot. A personal key with
  // a bad page digit is rewritten to "_".
  int personalTablePages();

 private:
  using Sections = std::map<std::string, StringMap, ByteOrder>;
  static bool readEntries(ByteSource& reader, Sections& into);
  // False when the file cannot be opened; else its entries, and whether
  // they were read to the end.
  static bool readFile(const std::string& path, Sections& into, bool& whole, SettingsFileForm& form);
  // What the file at path_ holds now; false unless it was read whole.
  bool readWholeFileNow(Sections& disk) const;
  int readInt(const Setting& row) const;
  std::string readText(const Setting& row) const;
  void takeOverChangesOnDisk();
  // The three-way rule of one key: this store's change wins, otherwise
  // the file's value is taken.
  void takeOverKey(const Sections& disk, const std::string& section, const std::string& key);
  bool writeFile(const std::string& target);
  // Copies the file at path_ to the first free name of ".bak", ".bak1", ...,
  // or finds it kept already in one of them. False when it cannot.
  bool keepBackup();

  std::string path_;
  bool loadedWhole_ = true;
  SettingsFileForm form_;
  std::string backupPath_;
  std::string lockFailure_;
  Sections sections_;
  Sections loaded_;  // what the file held at the last load or save
  os::FileLock lock_;
  bool takeLock(os::FileLock& lock, const std::string& path);
};

// Where a placeholder for the guide service's host stands when "server" is
// not set; the real service lies outside this project.
extern const char kDefaultGuideServer[];

// True when `hhmm` names a valid time of day (hour < 24, minute < 60).
bool isValidDownloadTime(int hhmm);
