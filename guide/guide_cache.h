// GuideCache: the object that carries every operation on the local page
// cache. It holds nothing but a pointer to the settings store (and the
// clock the jobs wait on, and the file system its files live on); each
// front end makes its own and passes it.
#pragma once

#include <set>
#include <string>

#include "calendar/calendar.h"
#include "net/retry_policy.h"

class Clock;
class FileSystem;
class GuideSource;
class ProgrammeTable;
class ProgressSink;
class SettingsStore;

// Cache file names in byte order.
using CacheFileList = std::set<std::string>;

class GuideCache {
 public:
  GuideCache() = default;
  // A front end's own cache of `settings`, which must outlive it.
  explicit GuideCache(SettingsStore& settings) : settings_(&settings) {}
  SettingsStore& settings() const { return *settings_; }
  void setSettings(SettingsStore& settings) { settings_ = &settings; }
  Clock& clock() const;
  // Japan's date and time now by clock(): the window takes its "now" here,
  // so that a test hands it a clock.
  DateTime now() const;
  // Tests put a fake clock here; null restores the system clock.
  void setClock(Clock* clock) { clock_ = clock; }
  // Every file of the cache is reached through files(): the local file
  // system unless a test puts another here; null restores the local one.
  FileSystem& files() const;
  void setFileSystem(FileSystem* files) { files_ = files; }
  // Whether cacheDirectory creates a missing folder (the default); the
  // command line's reading verbs turn it off.
  void setCreatesDirectory(bool creates) { createsDirectory_ = creates; }
  // The tries of each page fetch; three 30 seconds apart unless set.
  void setRetryPolicy(const RetryPolicy& policy) { retryPolicy_ = policy; }
  const RetryPolicy& retryPolicy() const { return retryPolicy_; }

  // The setting "directory" as a path: a relative one is taken from the
  // settings file's folder (the program's folder on Windows).
  std::string directorySetting() const;
  // The cache directory with its separator, created when missing; empty when
  // it is missing and cannot be created.
  std::string cacheDirectory() const;
  // The same, telling whether the folder was created by this call (it is
  // then empty).
  std::string cacheDirectory(bool& createdNow) const;
  // A crawl fixes its cache directory for the run: while `directory` is
  // pinned, cacheDirectory on the pinning thread gives it without creating
  // or checking the folder again; other threads (the window's) look it up as
  // before. Null unpins. The string must outlive the pin.
  void pinDirectory(const std::string* directory) const;
  // Reports "保存先ディレクトリがない！" with the folder and the system's
  // reason; -1, the jobs' result for it.
  int failForDirectory(ProgressSink& progress) const;
  std::string pageFileName(int slotKey) const;   // "%06dtb.htm"
  std::string tableFileName(int slotKey) const;  // "%06dtb.tmp"
  // "%06dtb." + extension: the refresh's files beside a slot's table (they
  // match the cache file pattern, so the clean-ups take them with the slot).
  std::string slotFileName(int slotKey, const char* extension) const;

  // Sign-in: true when a session cookie is stored.
  bool signIn(ProgressSink& progress);
  // Brings the slots of days + 1 broadcast days up to date from `source`
  // (see guide/guide_source.h), after the clean-up of old days when the
  // settings ask for it. -1 on failure or cancel, 0 when nothing had to be
  // fetched, else the slots written. `refreshHours` above 0 also refreshes
  // the near slots; without it, the setting "refreshhours" says.
  int crawl(GuideSource& source, const DateTime& now, int days, ProgressSink& progress);
  int crawl(GuideSource& source, const DateTime& now, int days, ProgressSink& progress, int refreshHours);
  // The same from the guide service (see refreshNearSlots for the refresh).
  int crawl(const DateTime& now, int days, ProgressSink& progress);
  int crawl(const DateTime& now, int days, ProgressSink& progress, int refreshHours);
  // Fetches again, conditionally, every slot of today's and tomorrow's
  // broadcast days whose table file is older than `hours` hours; a new page
  // replaces a table only when it reads at least as completely. Ends with a
  // report in the status line. -1 on failure or cancel, else the number of
  // tables replaced.
  int refreshNearSlots(const DateTime& now, int hours, ProgressSink& progress);

  // Cache maintenance.
  // Removes from `directory` (with its separator) what a killed run left
  // half-made: tables and pages being written, a sync's partial table, an
  // import's side file being written, all older than a run takes to write
  // one (another run may be writing its own) by clock(). Returns how many
  // went.
  int removeLeftovers(const std::string& directory) const;
  CacheFileList listCacheFiles() const;
  int deleteFiles(const CacheFileList& names, ProgressSink& progress);
  int deleteAllPages(ProgressSink& progress);
  int deleteOldPages(const DateTime& now, ProgressSink& progress);

  // Pages and table files (see programme/page_files.h).
  bool parseCachedPage(int slotKey, ProgrammeTable& table);
  bool parseDownloadedPage(int slotKey, const std::string& pagePath, ProgrammeTable& table);
  // Its first half: reads the page into `table` and removes a page that
  // does not read; the table file is left to the caller.
  bool readDownloadedPage(int slotKey, const std::string& pagePath, ProgrammeTable& table);
  // What follows the reading of a downloaded page, made elsewhere (`read`
  // tells whether it read): the table gets the slot's key, or the page is
  // removed. Returns `read`.
  bool settleDownloadedPage(int slotKey, const std::string& pagePath, bool read, ProgrammeTable& table);
  bool loadTableFile(int slotKey, ProgrammeTable& table);
  bool saveTableFile(int slotKey, const ProgrammeTable& table);
  enum class Replacement { Failed, Unchanged, Replaced };
  // Writes `table` beside the slot's table file ("tnw") and moves it over
  // it, so that the window and a running sync server see the old file or
  // the new one, never a mix. Unchanged (nothing moved) when the bytes are
  // the same; a failure is reported with its file ("保存失敗！").
  Replacement replaceTableFile(int slotKey, const ProgrammeTable& table, ProgressSink& progress);
  // Assembles the broadcast day of `date` (month and day) from its six slots.
  bool loadDay(const CalendarDate& date, ProgrammeTable& dayTable);
  // The same, each slot read into `slot` first: a caller loading day after
  // day keeps one, whose cells' memory then serves every day.
  bool loadDay(const CalendarDate& date, ProgrammeTable& dayTable, ProgrammeTable& slot);

 private:
  SettingsStore* settings_ = nullptr;
  Clock* clock_ = nullptr;
  FileSystem* files_ = nullptr;
  RetryPolicy retryPolicy_;
  bool createsDirectory_ = true;
};
