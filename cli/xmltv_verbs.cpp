// Verb "import-xmltv": an XMLTV file or http:// URL into the table files of
// the cache, once, as a crawl with the setting "xmltvsource" would.
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/console_progress.h"
#include "cli/deadline.h"
#include "cli/watch_change_report.h"
#include "guide/guide_cache.h"
#include "xmltv/xmltv_import.h"

namespace {

// Yesterday to six days ahead, the days the window offers.
constexpr int kDaysBack = 1;
constexpr int kDaysAhead = 6;
constexpr int kMostDays = 31;

// "YYYY-MM-DD" as a day number; false when it is not a valid date.
bool parseDay(const std::string& text, int& number) {
  int year, month, day;
  char end;
  if (std::sscanf(text.c_str(), "%d-%d-%d%c", &year, &month, &day, &end) != 3 || month < 1 || month > 12 ||
      day < 1 || day > 31) {
    return false;
  }
  number = dayNumber(year, month, day);
  const CalendarDate date = dateFromDayNumber(number);
  return date.month == month && date.day == day;
}

int runImportXmltv(CliContext& context) {
  std::string fromText, daysText;
  const bool hasFrom = takeOption(context.args, "--from", &fromText);
  const bool hasDays = takeOption(context.args, "--days", &daysText);
  XmltvImportOptions options;
  options.replace = takeFlag(context.args, "--replace");
  const int maxTime = takeMaxTime(context.args);
  if (context.args.size() != 1) return usageError(context, "import-xmltv");
  const int today = broadcastDayNumber(currentDateTime());
  int first = today - kDaysBack;
  if (hasFrom && !parseDay(fromText, first)) return usageError(context, "import-xmltv");
  int days = hasDays ? parseLeadingInt(daysText) : today + kDaysAhead - first + 1;
  if (!hasDays && days < 1) days = kDaysAhead + 1;  // a start beyond the window: a week from it
  if (days < 1 || days > kMostDays) return usageError(context, "import-xmltv");
  const Deadline deadline(maxTime);
  ConsoleProgress progress(context.quiet);
  progress.setDeadline(&deadline);
  bool saved = true;
  const int result = followWatchedProgrammes(
      context, currentDateTime(),
      [&] { return importXmltv(context.cache, context.args[0], first, first + days - 1, progress, options); },
      saved);
  const int exitCode = finishRun(result, deadline, maxTime);
  return saved ? exitCode : 1;
}

const CliVerbRegistration kImportXmltv({"import-xmltv",
                                        "import-xmltv FILE|URL [--from YYYY-MM-DD] [--days N] [--replace] [--max-time SECONDS]",
                                        runImportXmltv,
                                        "convert an XMLTV file or http:// URL into the cache's table files",
                                        {{"--from", OptionKind::Text, "the first broadcast day (default: yesterday)"},
                                         {"--days", OptionKind::Number, "how many days, 1-31 (default: to six days ahead)"},
                                         {"--replace", OptionKind::Flag, "replace even tables that hold more than the document"},
                                         {"--max-time", OptionKind::Number, "end the whole run after SECONDS"}},
                                        "import-xmltv guide.xml --days 7"});

}  // namespace
