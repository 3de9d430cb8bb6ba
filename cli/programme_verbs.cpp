// Verbs "parse-page" (a guide page into a table file), "dump-table" (a table
// file as JSON) and "show" (a broadcast day from the cache directory, as the
// lists of the main window show it, or as JSON).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/cli.h"
#include "guide/calendar.h"
#include "guide/guide_cache.h"
#include "net/buffered_reader.h"
#include "net/buffered_sink.h"
#include "net/local_file.h"
#include "net/paths.h"
#include "os/text.h"
#include "programme/genre_table.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"

namespace {

bool allDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// ---- JSON, in UTF-8 ----

void appendJsonString(std::string& json, const std::string& cp932) {
  json += '"';
  for (char c : os::cp932ToUtf8(cp932)) {
    switch (c) {
      case '"': json += "\\\""; break;
      case '\\': json += "\\\\"; break;
      case '\r': json += "\\r"; break;
      case '\n': json += "\\n"; break;
      case '\t': json += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          json += escaped;
        } else {
          json += c;
        }
    }
  }
  json += '"';
}

void appendCell(std::string& json, const ProgrammeCell& cell, std::size_t row) {
  char numbers[96];
  std::snprintf(numbers, sizeof numbers, "{\"row\": %d, \"span\": %d, \"number\": %d, \"time\": ",
                static_cast<int>(row), cell.rowSpan, cell.number);
  json += numbers;
  appendJsonString(json, cell.timeText);
  json += ", \"body\": ";
  appendJsonString(json, cell.body);
  char colour[24];
  std::snprintf(colour, sizeof colour, ", \"bg\": \"%06x\"}", cell.background & 0xFFFFFF);
  json += colour;
}

// The whole table: each column walked from row 0, a cell listed at its
// first row and stepped over, an empty position stepped by one.
std::string tableJson(const ProgrammeTable& table) {
  std::string json = "{\"key\": " + std::to_string(table.tableKey()) + ", \"columns\": [";
  for (std::size_t column = 0; column < table.columnCount(); ++column) {
    if (column > 0) json += ", ";
    json += "{\"rows\": " + std::to_string(table.rowCount(column)) + ", \"cells\": [";
    bool first = true;
    for (std::size_t row = 0; row < table.rowCount(column);) {
      const ProgrammeCell* cell = table.cellAt(column, row);
      if (!cell) {
        ++row;
        continue;
      }
      if (!first) json += ", ";
      first = false;
      appendCell(json, *cell, row);
      row += cell->rowSpan > 1 ? cell->rowSpan : 1;
    }
    json += "]}";
  }
  return json + "]}\n";
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

// The programmes of a channel column in list order: a cell with a body is
// listed and stepped over, anything else is stepped by one row.
template <typename Visit>
void walkChannel(const ProgrammeTable& day, std::size_t column, Visit visit) {
  const std::size_t rows = day.rowCount(0);
  for (std::size_t row = 1; row < rows;) {
    const ProgrammeCell* cell = day.cellAt(column, row);
    if (cell && !cell->body.empty()) {
      visit(*cell, row);
      row += cell->rowSpan > 1 ? cell->rowSpan : 1;
    } else {
      ++row;
    }
  }
}

// "channel <tab> start <tab> title line", the title line being the body up
// to its first CR, as the list draws it.
void printProgramme(const ProgrammeCell& channel, const ProgrammeCell& cell) {
  printOut(channel.body + "\t" + cell.timeText + "\t" + cell.body.substr(0, cell.body.find('\r')) + "\n");
}

void showHour(const ProgrammeTable& day, int hour) {
  const HourRows rows = day.findHour(hour);
  for (std::size_t column = 1; column < day.columnCount(); ++column) {
    const ProgrammeCell* channel = day.cellAt(column, 0);
    if (!channel) continue;
    walkChannel(day, column, [&](const ProgrammeCell& cell, std::size_t row) {
      const int first = static_cast<int>(row);
      if (first < rows.endRow && (first >= rows.firstRow || first + cell.rowSpan > rows.firstRow)) {
        printProgramme(*channel, cell);
      }
    });
  }
}

void showColumn(const ProgrammeTable& day, std::size_t column) {
  const ProgrammeCell* channel = day.cellAt(column, 0);
  walkChannel(day, column, [&](const ProgrammeCell& cell, std::size_t) { printProgramme(*channel, cell); });
}

void showGenre(const ProgrammeTable& day, int colour) {
  for (std::size_t column = 1; column < day.columnCount(); ++column) {
    const ProgrammeCell* channel = day.cellAt(column, 0);
    if (!channel) continue;
    walkChannel(day, column, [&](const ProgrammeCell& cell, std::size_t) {
      if (cell.background == colour) printProgramme(*channel, cell);
    });
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

  // Today's broadcast day and hour: before 05:00 is the day before, 24 on.
  const DateTime now = currentDateTime();
  CalendarDate date = dateFromDayNumber(broadcastDayNumber(now));
  int hour = now.hour < 5 ? now.hour + 24 : now.hour;
  if (hasDate && !parseDate(dateText, date)) return usageError(context, "show");
  if (hasHour) {
    if (!allDigits(hourText) || std::atoi(hourText.c_str()) > 28) return usageError(context, "show");
    hour = std::atoi(hourText.c_str());
    if (hour < 5) hour += 24;
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
    showColumn(day, static_cast<std::size_t>(column));
  } else if (hasGenre) {
    const GenreRow* genre = findGenre(genreName);
    if (!genre) {
      std::string names;
      for (int i = 0; i < kGenreRowCount; ++i) names += std::string(" ") + kGenreTable[i].name;
      printError("rokuban-cli: genres are" + names + "\n");
      return 1;
    }
    showGenre(day, genre->colour);
  } else {
    showHour(day, hour);
  }
  return 0;
}

const CliVerbRegistration kParsePage({"parse-page", "parse-page PAGE [--key MMDDHH] [--out TABLE] [--json]",
                                      runParsePage});
const CliVerbRegistration kDumpTable({"dump-table", "dump-table TABLE", runDumpTable});
const CliVerbRegistration kShow(
    {"show", "show [--date YYYY-MM-DD] [--hour H | --channel NAME | --genre NAME] [--json]", runShow});

}  // namespace
