// Verbs "parse-page" (a guide page into a table file), "dump-table" (a table
// file as JSON) and "show" (a broadcast day from the cache directory, as the
// lists of the main window show it, or as JSON). The views themselves are
// the window's own (ui/model/programme_view.h); their rows are printed with
// the start and stop the exports give the same programmes.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bytes/buffered_reader.h"
#include "bytes/buffered_sink.h"
#include "bytes/file_system.h"
#include "bytes/local_file.h"
#include "bytes/memory_bytes.h"
#include "bytes/paths.h"
#include "calendar/calendar.h"
#include "cli/arguments.h"
#include "cli/channel_choice.h"
#include "cli/cli.h"
#include "cli/table_json.h"
#include "guide/guide_cache.h"
#include "listing/day_schedule.h"
#include "listing/genre_names.h"
#include "listing/listing.h"
#include "os/ascii.h"
#include "os/os.h"
#include "os/standard_stream.h"
#include "programme/genre_table.h"
#include "programme/page_files.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"
#include "ui/model/programme_view.h"

namespace {

void printJson(const ProgrammeTable& table) {
  std::string json = tableJson(table);
  os::writeStandard(os::StandardStream::Output, json);
}

// ---- parse-page and dump-table ----

// The bytes of a file, or of standard input for "-"; false, saying so on
// stderr, when it cannot be read.
bool readInput(const std::string& path, std::string& bytes) {
  LocalFile file;
  const bool standard = path == "-";
  const os::FileHandle handle = standard ? os::standardInput() : os::kNoFile;
  if (!standard && !file.openForRead(path)) {
    printFileFailure("open", path);
    return false;
  }
  char buffer[4096];
  for (;;) {
    const int got = standard ? os::readFile(handle, buffer, sizeof buffer) : file.read(buffer, sizeof buffer);
    if (got == 0 || (got < 0 && standard && !bytes.empty())) return true;  // a closed pipe ends the input too
    if (got < 0) {
      printFileFailure("read", standard ? "standard input" : path);
      return false;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

// A slot key MMDDHH as the crawl names its files: a month, a day of it and
// a slot hour (25 for the slot after midnight).
bool validKey(int key) { return isRealSlot(key / 10000, key / 100 % 100, key % 100); }

// The key of a page: the six digits its cache name starts with, else 0.
int keyFromFileName(const std::string& path) {
  std::string name = path.substr(lastSeparatorEnd(path), 6);
  return name.size() == 6 && ascii::allDigits(name) ? std::atoi(name.c_str()) : 0;
}

const CliOption kKey{"--key", OptionKind::Number, "the slot MMDDHH (default: from the file name)"};
const CliOption kOut{"--out", OptionKind::Text, "write the table file here"};
const CliOption kJson{"--json", OptionKind::Flag, "print the table as JSON"};

int runParsePage(CliContext& context) {
  std::vector<std::string>& args = context.args;
  VerbOptions options(context);
  std::string keyText, out;
  const bool hasKey = options.text(kKey, keyText);
  const bool hasOut = options.text(kOut, out);
  const bool json = options.flag(kJson);
  if (args.size() != 1 || (hasOut && out.empty())) return usageError(context, "parse-page");
  if (hasKey && (keyText.size() != 6 || !validKey(std::atoi(keyText.c_str())))) {
    return argumentError("parse-page", "--key '" + keyText +
                                           "' is not a slot MMDDHH (month 01-12, a day of that month, "
                                           "slot hour 05, 09, 13, 17, 21 or 25)");
  }
  if (!hasOut && !json) return argumentError("parse-page", "nothing to do: give --out TABLE, --json or both");
  const std::string& path = args[0];
  std::string bytes;
  if (!readInput(path, bytes)) return 1;
  ProgrammeTable table;
  ProgrammePageReader reader;
  StringByteSource input(bytes);
  if (!reader.read(input, table)) {
    std::fprintf(stderr, "rokuban-cli: %s: %s\n", path.c_str(), reader.failure());
    return 1;
  }
  table.setTableKey(hasKey ? std::atoi(keyText.c_str()) : keyFromFileName(path));
  if (hasOut && !writeTableFileInPlace(localFileSystem(), out, table)) {
    printFileFailure("write", out);
    return 1;
  }
  if (json) printJson(table);
  return 0;
}

int runDumpTable(CliContext& context) {
  if (context.args.size() != 1) return usageError(context, "dump-table");
  const std::string& path = context.args[0];
  std::string bytes;
  if (!readInput(path, bytes)) return 1;
  ProgrammeTable table;
  StringByteSource input(bytes);
  if (!table.read(input)) {
    std::fprintf(stderr, "rokuban-cli: %s: not a table file\n", path.c_str());
    return 1;
  }
  printJson(table);
  return 0;
}

// ---- show ----

// Each programme of a listing as a schedule line with the title line the
// list draws; the channel is the header listed last before it.
void printListing(const ProgrammeTable& day, const ProgrammeListing& listing, const DaySchedule& schedule) {
  const ProgrammeCell* channel = nullptr;
  for (const ProgrammeCell* cell : listing.items) {
    if (isChannelHeader(*cell)) {
      channel = cell;
    } else if (channel) {
      printOut(visibleLine(schedule.lineOf(day, channel->body, *cell, titleLine(*cell))) + "\n");
    }
  }
}

// The records of the broadcast day `date` and of the day after it, whose
// first programmes end the day's last ones.
DaySchedule dayScheduleOf(CliContext& context, const CalendarDate& date) {
  ListingRange range;
  range.from = date;
  range.days = 2;
  range.detail = RecordDetail::Times;  // the lines take only its times
  return DaySchedule(collectListing(context.cache, range).programmes,
                     dayNumber(date.year, date.month, date.day));
}

// The channel names of a day, in column order.
std::vector<std::string> channelNames(const ProgrammeTable& day) {
  std::vector<std::string> names;
  for (std::size_t column = 1; column < day.columnCount(); ++column) {
    const ProgrammeCell* header = day.cellAt(column, 0);
    if (header) names.push_back(header->body);
  }
  return names;
}

// The column of the channel `name` names (see chooseChannelName); -1 when
// none or several.
int chooseChannel(const ProgrammeTable& day, const std::string& name) {
  const int exact = day.findChannel(name);
  if (exact >= 0) return exact;
  const std::vector<std::string> names = channelNames(day);
  const int chosen = chooseChannelName(names, name);
  return chosen < 0 ? -1 : day.findChannel(names[chosen]);
}

const CliOption kDate{"--date", OptionKind::Text, "YYYY-MM-DD, today or tomorrow (default: today)"};

// Loads the broadcast day `dateText` names (today when null) into `day`;
// 0, or the exit code after saying what is wrong.
int loadChosenDay(CliContext& context, const char* verbName, const std::string* dateText, ProgrammeTable& day,
                  CalendarDate* chosen = nullptr) {
  std::string problem;
  const int today = broadcastDayNumber(currentDateTime());
  int chosenDay = today;
  if (dateText && !parseDayArgument(*dateText, today, chosenDay, problem)) {
    return argumentError(verbName, "--date " + problem);
  }
  const CalendarDate date = dateFromDayNumber(chosenDay);
  if (chosen) *chosen = date;
  context.cache.loadDay(date, day);
  if (day.columnCount() != 0) return 0;
  // The folder as the program finds it (a relative setting says little),
  // and what fills it.
  printError("rokuban-cli: no programmes for " + isoDate(date) + " in the cache " +
             context.cache.directorySetting() +
             "; 'rokuban-cli crawl' fetches today and six days ahead\n");
  return 1;
}

int runChannels(CliContext& context) {
  VerbOptions options(context);
  std::string dateText;
  const bool hasDate = options.text(kDate, dateText);
  ProgrammeTable day;
  if (const int failed = loadChosenDay(context, "channels", hasDate ? &dateText : nullptr, day)) return failed;
  if (!context.args.empty()) return usageError(context, "channels");
  for (const std::string& name : channelNames(day)) printOut(visibleLine(name) + "\n");
  return 0;
}

const CliOption kHour{"--hour", OptionKind::Number, "the hour 5-28 of the time view (default: now)"};
const CliOption kChannel{"--channel", OptionKind::Text, "one channel's day"};
const CliOption kGenre{"--genre", OptionKind::Text, "one genre's programmes"};

int runShow(CliContext& context) {
  VerbOptions options(context);
  std::string hourText, channelName, genreName, dateText;
  const bool hasHour = options.text(kHour, hourText);
  const bool hasChannel = options.text(kChannel, channelName);
  const bool hasGenre = options.text(kGenre, genreName);
  const bool json = options.flag(kJson);
  const bool hasDate = options.text(kDate, dateText);
  if (!context.args.empty() || hasHour + hasChannel + hasGenre > 1) return usageError(context, "show");
  if (json && hasHour + hasChannel + hasGenre > 0) {
    return argumentError("show", "--json prints the whole day; it does not go with --hour, --channel or --genre");
  }
  int hour = broadcastHour(currentDateTime().hour);
  if (hasHour) {
    if (std::atoi(hourText.c_str()) > 28 || hourText.size() > 2) {
      return argumentError("show", "--hour '" + hourText + "' is not an hour 0-28");
    }
    hour = broadcastHour(std::atoi(hourText.c_str()));
  }

  ProgrammeTable day;
  CalendarDate date;
  if (const int failed = loadChosenDay(context, "show", hasDate ? &dateText : nullptr, day, &date)) return failed;
  if (json) {
    printJson(day);
    return 0;
  }
  const DaySchedule schedule = dayScheduleOf(context, date);
  if (hasChannel) {
    const int column = chooseChannel(day, channelName);
    if (column < 0) return 1;
    printListing(day, channelViewListing(day, column, hour), schedule);
  } else if (hasGenre) {
    const std::vector<const GenreRow*> genres = genreRowsNamed(genreName);
    if (genres.empty()) {
      std::string names;
      for (int i = 0; i < kGenreRowCount; ++i) {
        names += std::string("\n  ") + kGenreTable[i].name + " (" + genreNameEnglish(kGenreTable[i].number) + ")";
      }
      printError("rokuban-cli: no genre " + genreName + "; the genres are:" + names + "\n");
      return 1;
    }
    for (const GenreRow* genre : genres) printListing(day, genreViewListing(day, genre->colour), schedule);
  } else {
    printListing(day, timeViewListing(day, hour), schedule);
  }
  return 0;
}

const CliVerbRegistration kParsePage({"parse-page", "parse-page PAGE|- [--key MMDDHH] [--out TABLE] [--json]",
                                      runParsePage,
                                      "convert a saved guide page into a table file or JSON",
                                      {kKey, kOut, kJson},
                                      "parse-page 120705tb.htm --json", kReadsOnly});
const CliVerbRegistration kDumpTable({"dump-table", "dump-table TABLE|-", runDumpTable,
                                      "print a table file as JSON", {}, "dump-table 120705tb.tmp", kReadsOnly});
const CliVerbRegistration kShow(
    {"show", "show [--date D] [--hour H | --channel NAME | --genre NAME] [--json]", runShow,
     "print a broadcast day of the cache as the window's lists show it",
     {kDate, kHour, kChannel, kGenre, kJson.withHelp("the whole day's grid as JSON")},
     "show --date tomorrow --hour 21", kReadsOnly});
const CliVerbRegistration kChannels({"channels", "channels [--date D]", runChannels,
                                     "list the channel names of a broadcast day of the cache", {kDate},
                                     "channels --date tomorrow", kReadsOnly});

}  // namespace
