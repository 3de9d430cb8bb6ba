// Verbs "parse-page" (a guide page into a table file), "dump-table" (a table
// file as JSON) and "show" (a broadcast day from the cache directory, as the
// lists of the main window show it, or as JSON). The views themselves are
// the window's own (ui/model/programme_view.h); here they are only printed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/cli.h"
#include "cli/table_json.h"
#include "guide/calendar.h"
#include "guide/guide_cache.h"
#include "net/buffered_reader.h"
#include "net/buffered_sink.h"
#include "net/local_file.h"
#include "net/paths.h"
#include "programme/genre_table.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"
#include "ui/model/programme_view.h"

namespace {

bool allDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

void printJson(const ProgrammeTable& table) {
  std::string json = tableJson(table);
  std::fwrite(json.data(), 1, json.size(), stdout);
}

// ---- parse-page and dump-table ----

// The key of a page: the six digits its cache name starts with, else 0.
int keyFromFileName(const std::string& path) {
  std::string name = path.substr(lastSeparatorEnd(path), 6);
  return name.size() == 6 && allDigits(name) ? std::atoi(name.c_str()) : 0;
}

int runParsePage(CliContext& context) {
  std::vector<std::string>& args = context.args;
  std::string keyText, out;
  const bool hasKey = takeOption(args, "--key", &keyText);
  const bool hasOut = takeOption(args, "--out", &out);
  const bool json = takeFlag(args, "--json");
  if (args.size() != 1 || (hasKey && !allDigits(keyText)) || (hasOut && out.empty())) {
    return usageError(context, "parse-page");
  }
  const std::string& path = args[0];
  LocalFile file;
  if (!file.openForRead(path)) {
    std::fprintf(stderr, "rokuban-cli: cannot open %s\n", path.c_str());
    return 1;
  }
  ProgrammeTable table;
  ProgrammePageReader reader;
  BufferedReader input(file);
  if (!reader.read(input, table)) {
    std::fprintf(stderr, "rokuban-cli: %s: %s\n", path.c_str(), reader.failure());
    return 1;
  }
  table.setTableKey(hasKey ? std::atoi(keyText.c_str()) : keyFromFileName(path));
  if (hasOut && !writeTableFile(out, table)) {
    std::fprintf(stderr, "rokuban-cli: cannot write %s\n", out.c_str());
    return 1;
  }
  if (json) printJson(table);
  return 0;
}

int runDumpTable(CliContext& context) {
  if (context.args.size() != 1) return usageError(context, "dump-table");
  const std::string& path = context.args[0];
  LocalFile file;
  if (!file.openForRead(path)) {
    std::fprintf(stderr, "rokuban-cli: cannot open %s\n", path.c_str());
    return 1;
  }
  ProgrammeTable table;
  BufferedReader input(file);
  if (!table.read(input)) {
    std::fprintf(stderr, "rokuban-cli: %s: not a table file\n", path.c_str());
    return 1;
  }
  printJson(table);
  return 0;
}

// ---- show ----

// Each programme of a listing as "channel <tab> start <tab> title line", as
// the list draws it; the channel is the header listed last before it.
void printListing(const ProgrammeListing& listing) {
  const ProgrammeCell* channel = nullptr;
  for (const ProgrammeCell* cell : listing.items) {
    if (isChannelHeader(*cell)) {
      channel = cell;
    } else if (channel) {
      printOut(channel->body + "\t" + cell->timeText + "\t" + titleLine(*cell) + "\n");
    }
  }
}

bool parseDate(const std::string& text, CalendarDate& date) {
  int year, month, day;
  char end;
  if (std::sscanf(text.c_str(), "%d-%d-%d%c", &year, &month, &day, &end) != 3) return false;
  if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  date = dateFromDayNumber(dayNumber(year, month, day));
  return date.month == month;  // 31 April and the like
}

int runShow(CliContext& context) {
  std::vector<std::string>& args = context.args;
  std::string dateText, hourText, channelName, genreName;
  const bool hasDate = takeOption(args, "--date", &dateText);
  const bool hasHour = takeOption(args, "--hour", &hourText);
  const bool hasChannel = takeOption(args, "--channel", &channelName);
  const bool hasGenre = takeOption(args, "--genre", &genreName);
  const bool json = takeFlag(args, "--json");
  if (!args.empty() || hasHour + hasChannel + hasGenre > 1) return usageError(context, "show");

  const DateTime now = currentDateTime();
  CalendarDate date = dateFromDayNumber(broadcastDayNumber(now));
  int hour = broadcastHour(now.hour);
  if (hasDate && !parseDate(dateText, date)) return usageError(context, "show");
  if (hasHour) {
    if (!allDigits(hourText) || std::atoi(hourText.c_str()) > 28) return usageError(context, "show");
    hour = broadcastHour(std::atoi(hourText.c_str()));
  }

  ProgrammeTable day;
  guideCache(context.settings).loadDay(date, day);
  if (day.columnCount() == 0) {
    std::fprintf(stderr, "rokuban-cli: no programmes for %04d-%02d-%02d in %s\n", date.year, date.month, date.day,
                 context.settings.directory().c_str());
    return 1;
  }
  if (json) {
    printJson(day);
  } else if (hasChannel) {
    const int column = day.findChannel(channelName);
    if (column < 0) {
      printError("rokuban-cli: no channel " + channelName + "\n");
      return 1;
    }
    printListing(channelViewListing(day, column, hour));
  } else if (hasGenre) {
    const GenreRow* genre = findGenre(genreName);
    if (!genre) {
      std::string names;
      for (int i = 0; i < kGenreRowCount; ++i) names += std::string(" ") + kGenreTable[i].name;
      printError("rokuban-cli: genres are" + names + "\n");
      return 1;
    }
    printListing(genreViewListing(day, genre->colour));
  } else {
    printListing(timeViewListing(day, hour));
  }
  return 0;
}

const CliVerbRegistration kParsePage({"parse-page", "parse-page PAGE [--key MMDDHH] [--out TABLE] [--json]",
                                      runParsePage});
const CliVerbRegistration kDumpTable({"dump-table", "dump-table TABLE", runDumpTable});
const CliVerbRegistration kShow(
    {"show", "show [--date YYYY-MM-DD] [--hour H | --channel NAME | --genre NAME] [--json]", runShow});

}  // namespace
