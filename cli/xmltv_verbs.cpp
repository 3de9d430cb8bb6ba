// Verb "import-xmltv": an XMLTV file or http:// URL into the table files of
// the cache, once, as a crawl with the setting "xmltvsource" would.
#include <cstdio>
#include <string>

#include "cli/arguments.h"
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

const CliOption kReplace{"--replace", OptionKind::Flag, "replace even tables that hold more than the document"};

int runImportXmltv(CliContext& context) {
  VerbOptions options(context);
  std::string fromText;
  int days = 0;
  const bool hasFrom = options.text(kFromOption, fromText);
  const bool hasDays = options.number(kDaysOption, days);
  XmltvImportOptions importOptions;
  importOptions.replace = options.flag(kReplace);
  const int maxTime = takeMaxTime(options);
  if (context.args.size() != 1) return usageError(context, "import-xmltv");
  const int today = broadcastDayNumber(currentDateTime());
  int first = today - kDaysBack;
  if (hasFrom && !parseDay(fromText, first)) return usageError(context, "import-xmltv");
  if (!hasDays) days = today + kDaysAhead - first + 1;
  if (!hasDays && days < 1) days = kDaysAhead + 1;  // a start beyond the window: a week from it
  if (days < 1 || days > kMostDays) return usageError(context, "import-xmltv");
  const Deadline deadline(maxTime);
  ConsoleProgress progress(context.quiet);
  progress.setDeadline(&deadline);
  bool saved = true;
  const int result = followWatchedProgrammes(
      context, currentDateTime(),
      [&] { return importXmltv(context.cache, context.args[0], first, first + days - 1, progress, importOptions); },
      saved);
  const int exitCode = finishRun(result, deadline, maxTime);
  return saved ? exitCode : 1;
}

const CliVerbRegistration kImportXmltv({"import-xmltv",
                                        "import-xmltv FILE|URL [--from YYYY-MM-DD] [--days N] [--replace] [--max-time SECONDS]",
                                        runImportXmltv,
                                        "convert an XMLTV file or http:// URL into the cache's table files",
                                        {kFromOption.withHelp("the first broadcast day (default: yesterday)"),
                                         kDaysOption.withHelp("how many days, 1-31 (default: to six days ahead)"),
                                         kReplace, kMaxTimeOption},
                                        "import-xmltv guide.xml --days 7"});

}  // namespace
