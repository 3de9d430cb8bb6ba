// importXmltv: an XMLTV document, from a file or over HTTP, turned into the
// table files of its slots, each built as the guide page reader would
// read the slot's page.
#include "xmltv/xmltv_import.h"

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bytes/file_system.h"
#include "config/settings_store.h"
#include "guide/cache_file_name.h"
#include "guide/guide_cache.h"
#include "guide/http_date.h"
#include "guide/slot_paths.h"
#include "job/job_messages.h"
#include "job/progress_sink.h"
#include "listing/programme_extras.h"
#include "programme/guide_page.h"
#include "programme/programme_diff.h"
#include "programme/programme_table.h"
#include "xmltv/slot_table_builder.h"
#include "xmltv/xmltv_document.h"
#include "xmltv/xmltv_guide.h"

namespace {

const char kChannels[] = "\x83\x60\x83\x83\x83\x93\x83\x6c\x83\x8b";  // チャンネル
const char kProgrammes[] = "\x94\xd4\x91\x67";                          // 番組
const char kArrow[] = "\x81\xa8";                                      // →
// Where a fetched document waits in the cache until it is read.
const char kDownloadName[] = "xmltvsrc.xml";
// The validators of the last fetch of a URL (see Validators).
const char kValidatorsName[] = "xmltvsrc.tag";
const int kMaxValidatorBytes = 4096;

std::string dayLabel(int day) {
  const CalendarDate date = dateFromDayNumber(day);
  char label[16];
  std::snprintf(label, sizeof label, "%02d/%02d", date.month, date.day);
  return label;
}

// Reads the document into `guide`; false with the message reported.
bool readDocument(FileSystem& files, const std::string& path, const std::string& shownName, XmltvGuide& guide,
                  ProgressSink& progress) {
  return readXmltvDocument(files, path, shownName, guide, progress, true) == 1;
}

// What the last whole fetch of a URL was and gave, kept as lines: the URL;
// the first and last day asked, then the days the document held; the
// answer's Last-Modified; its entity tag. An unchanged document is worth
// asking for only when the cache still holds every slot of those days.
struct Validators {
  std::string source;
  int firstDay = 0, lastDay = -1;
  std::vector<int> heldDays;
  std::string lastModified, entityTag;
};

bool readValidators(FileSystem& files, const std::string& path, Validators& validators) {
  const std::unique_ptr<Stream> file = files.openForRead(path);
  if (!file) return false;
  char bytes[kMaxValidatorBytes];
  const int length = file->read(bytes, sizeof bytes);
  if (length <= 0) return false;
  std::istringstream lines(std::string(bytes, static_cast<std::size_t>(length)));
  std::string days;
  std::getline(lines, validators.source);
  std::getline(lines, days);
  std::getline(lines, validators.lastModified);
  std::getline(lines, validators.entityTag);
  std::istringstream numbers(days);
  numbers >> validators.firstDay >> validators.lastDay;
  for (int day; numbers >> day;) validators.heldDays.push_back(day);
  return !numbers.bad() && validators.firstDay <= validators.lastDay;
}

bool writeValidators(FileSystem& files, const std::string& path, const Validators& validators) {
  std::string text = validators.source + "\n" + std::to_string(validators.firstDay) + " " +
                     std::to_string(validators.lastDay);
  for (int day : validators.heldDays) text += " " + std::to_string(day);
  text += "\n" + validators.lastModified + "\n" + validators.entityTag + "\n";
  const std::unique_ptr<Stream> file = files.createForWrite(path);
  if (!file) return false;
  const bool written = file->write(text.data(), static_cast<int>(text.size())) == static_cast<int>(text.size());
  return file->close() && written;
}

// Whether every slot of `days` between firstDay and lastDay has a table.
bool holdsEverySlot(GuideCache& cache, const std::vector<int>& days, int firstDay, int lastDay) {
  for (int day : days) {
    if (day < firstDay || day > lastDay) continue;
    for (int hour : kSlotHours) {
      if (!cache.files().exists(cache.tableFileName(slotKey(dateFromDayNumber(day), hour)))) return false;
    }
  }
  return true;
}

// Makes the fetch conditional when the last one of `source` covered the
// asked days and what it gave is still in the cache.
void askConditionally(GuideCache& cache, XmltvFetch& fetch, const std::string& path, const std::string& source,
                      int firstDay, int lastDay) {
  Validators last;
  if (!readValidators(cache.files(), path, last) || last.source != source || last.firstDay > firstDay ||
      last.lastDay < lastDay || !holdsEverySlot(cache, last.heldDays, firstDay, lastDay)) {
    return;
  }
  fetch.since = last.lastModified.empty() ? httpDate(cache.files().modifiedTime(path)) : last.lastModified;
  fetch.entityTag = last.entityTag;
}

// " 12/08 05:00-(チャンネル12→1 番組72→1)": a kept slot, and why.
std::string keptSlotText(int key, const ProgrammeTable& old, const ProgrammeTable& fresh) {
  return " " + slotLabel(key) + "(" + kChannels + std::to_string(channelsOf(old).size()) + kArrow +
         std::to_string(channelsOf(fresh).size()) + " " + kProgrammes +
         std::to_string(programmesOf(old).size()) + kArrow + std::to_string(programmesOf(fresh).size()) + ")";
}

// Keeps beside a slot's table what its page could not carry; false when
// the file could not be written (the table stands without it).
bool saveSlotExtras(GuideCache& cache, XmltvGuide& guide, int day, int hour, int key,
                    const ProgrammeTable& table) {
  if (table.columnCount() != guide.channelCount() + 1) return false;
  std::vector<std::string> names;
  for (std::size_t column = 1; column < table.columnCount(); ++column) {
    const ProgrammeCell* header = table.cellAt(column, 0);
    names.push_back(header ? header->body : std::string());
  }
  return saveProgrammeExtras(cache.files(), cache.slotFileName(key, kExtrasFileExtension), cache.tableFileName(key),
                             guide.slotExtras(day, hour, names));
}

// Writes the slots of the days the guide holds. -1 when a table could not
// be written, else the slots that now hold the guide's programmes.
int writeSlots(GuideCache& cache, XmltvGuide& guide, const std::vector<int>& days, bool replace,
               ProgressSink& progress) {
  if (!progress.setFileTotal(static_cast<int>(days.size()))) return -1;
  int taken = 0;
  std::string kept;
  SlotTableBuilder tables(guide, days);
  ProgrammeTable old;
  for (int day : days) {
    if (!progress.beginFile(dayLabel(day))) return -1;
    const CalendarDate date = dateFromDayNumber(day);
    for (int hour : kSlotHours) {
      std::unique_ptr<ProgrammeTable> built = tables.takeNext();
      if (!built) continue;
      const int key = slotKey(date, hour);
      ProgrammeTable& table = *built;
      table.setTableKey(key);
      // An unreadable old table gives way to any new one.
      if (!replace && cache.loadTableFile(key, old) && !keepsCompleteness(old, table)) {
        kept += keptSlotText(key, old, table);
      } else {
        if (cache.replaceTableFile(key, table, progress) == GuideCache::Replacement::Failed) return -1;
        saveSlotExtras(cache, guide, day, hour, key, table);
        ++taken;
      }
      tables.giveBack(std::move(built));
    }
  }
  if (!kept.empty()) progress.showStatus(job::kTablesKept + kept);
  return taken;
}

}  // namespace

int importXmltv(GuideCache& cache, const std::string& source, int firstDay, int lastDay, ProgressSink& progress,
                const XmltvImportOptions& options) {
  const std::string directory = cache.cacheDirectory();
  if (directory.empty()) return cache.failForDirectory(progress);
  cache.removeLeftovers(directory);
  XmltvGuide guide(firstDay, lastDay, cache.settings().xmltvChannels());
  const bool overHttp = isXmltvUrl(source);
  Validators fetched;
  if (overHttp) {
    if (!progress.setFileTotal(1) || !progress.beginFile(source)) return -1;
    const std::string download = directory + kDownloadName;
    XmltvFetch fetch;
    if (options.conditional) {
      askConditionally(cache, fetch, directory + kValidatorsName, source, firstDay, lastDay);
    }
    const bool transferred =
        fetchXmltvDocument(cache, source, download, cache.retryPolicy(), progress, fetch);
    const bool notModified = fetch.notModified;
    fetched.lastModified = fetch.lastModified;
    fetched.entityTag = fetch.answeredTag;
    if (transferred && notModified) {
      progress.showStatus(job::kXmltvUnchanged);
      return 0;
    }
    const bool read = transferred && readDocument(cache.files(), download, source, guide, progress);
    cache.files().remove(download);
    if (!read) return -1;
  } else {
    progress.showStatus(job::kXmltvReading);
    if (!readDocument(localFileSystem(), source, source, guide, progress)) return -1;
  }
  for (const std::string& note : {guide.channelLimitNote(), guide.undeclaredProgrammeNote()}) {
    if (!note.empty() && !progress.showStatus(note)) return -1;
  }
  const std::vector<int> days = guide.days();
  const int taken = writeSlots(cache, guide, days, options.replace, progress);
  if (overHttp && taken >= 0) {
    fetched.source = source;
    fetched.firstDay = firstDay;
    fetched.lastDay = lastDay;
    fetched.heldDays = days;
    writeValidators(cache.files(), directory + kValidatorsName, fetched);
  }
  return taken;
}

int writeGuideSlots(GuideCache& cache, XmltvGuide& guide, const std::vector<int>& days, bool replace,
                    ProgressSink& progress) {
  return writeSlots(cache, guide, days, replace, progress);
}
