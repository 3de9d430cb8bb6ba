// Verb "watch": the saved queries of the settings file, and the matches of
// them not announced before (printed, and handed to a command of --exec),
// and why an entry finds what it finds.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/search_options.h"
#include "cli/watch_explain_report.h"
#include "cli/watch_report.h"
#include "guide/guide_cache.h"
#include "watch/watch_check.h"

namespace {

// What `watch check` reads itself; `watch add` leaves its options to the
// query, which knows --reserve, --new and --once as a watch entry's.
const CliOption kReserve{"--reserve", OptionKind::Flag,
                         "add: new matches are reserved (the window; check --reserve with a recorder)"};
const CliOption kAll{"--all", OptionKind::Flag, "check: print every current match, not only the new ones"};
const CliOption kJson{"--json", OptionKind::Flag, "check: print JSON programme records, each with its entry"};
const CliOption kIcs{"--ics", OptionKind::Flag, "check: print an iCalendar file, one event per match"};
const CliOption kExec{"--exec", OptionKind::Text, "check: run COMMAND for each new match (ROKUBAN_* variables)"};

void reportProblems(const std::vector<std::string>& problems) {
  for (const std::string& problem : problems) printError("rokuban-cli: " + problem + "\n");
}

int addEntry(CliContext& context) {
  ProgrammeMatcher matcher;
  ProgrammeQuery query;
  if (!compileQueryArguments("watch", context.args, matcher, &query, QueryUse::WatchEntry)) return 2;
  WatchList list = loadWatchList(context.settings);
  // The same query twice would only announce each match twice.
  const std::string text = queryText(query);
  for (const WatchEntry& entry : list.entries) {
    if (queryText(entry.query) == text) {
      printError("rokuban-cli: watch: entry " + std::to_string(entry.number) + " is already " + text + "\n");
      return 1;
    }
  }
  const int number = addWatchEntry(list, query);
  if (!saveWatchList(context.settings, list)) return argumentError("watch", "a word holds a line break");
  if (!saveSettings(context)) return 1;
  if (!context.quiet) printOut(std::to_string(number) + ": " + text + "\n");
  return 0;
}

int listEntries(CliContext& context) {
  if (!context.args.empty()) return usageError(context, "watch");
  const WatchList list = loadWatchList(context.settings);
  reportProblems(list.problems);
  for (const WatchEntry& entry : list.entries) printOut(std::to_string(entry.number) + ": " + queryText(entry.query) + "\n");
  return 0;
}

int removeEntry(CliContext& context) {
  const std::vector<std::string>& args = context.args;
  if (args.size() != 1 || args[0].empty() || args[0].find_first_not_of("0123456789") != std::string::npos)
    return usageError(context, "watch");
  WatchList list = loadWatchList(context.settings);
  if (!removeWatchEntry(list, parseLeadingInt(args[0]))) {
    std::fprintf(stderr, "rokuban-cli: no watch entry %s\n", args[0].c_str());
    return 1;
  }
  saveWatchList(context.settings, list);
  return saveSettings(context) ? 0 : 1;
}

int checkEntries(CliContext& context) {
  VerbOptions options(context);
  WatchReport report;
  report.all = options.flag(kAll);
  report.reserve = options.flag(kReserve);
  if (report.reserve && context.settings.recorder().empty())
    return argumentError("watch", "check --reserve needs the setting recorder, the recorder's http:// base URL");
  const bool json = options.flag(kJson), ics = options.flag(kIcs);
  if (json && ics) return argumentError("watch", "--json and --ics go one at a time");
  if (json) report.format = WatchReport::Format::Json;
  if (ics) report.format = WatchReport::Format::Ics;
  const bool exec = options.text(kExec, report.command);
  if (exec && report.command.empty()) return argumentError("watch", "--exec needs a command");
  DateTime now;
  if (!takeMoment(context, now)) return 2;
  if (!context.args.empty()) return usageError(context, "watch");
  const WatchReportResult result = reportWatchMatches(context, now, report);
  return result.failed || result.shown == 0 ? 1 : 0;
}

int explainEntry(CliContext& context) {
  DateTime now;
  if (!takeMoment(context, now)) return 2;
  const std::vector<std::string>& args = context.args;
  if (args.size() != 1 || args[0].empty() || args[0].find_first_not_of("0123456789") != std::string::npos)
    return usageError(context, "watch");
  return reportWatchExplanation(context, parseLeadingInt(args[0]), now);
}

int runWatch(CliContext& context) {
  std::vector<std::string>& args = context.args;
  const std::string action = args.empty() ? "" : args[0];
  if (!args.empty()) args.erase(args.begin());
  if (action == "add") return addEntry(context);
  if (action == "list") return listEntries(context);
  if (action == "remove") return removeEntry(context);
  if (action == "check") return checkEntries(context);
  if (action == "explain") return explainEntry(context);
  return usageError(context, "watch");
}

std::vector<CliOption> watchOptions() {
  std::vector<CliOption> options = queryOptions();
  options.insert(options.end(),
                 {kReserve,
                  {"--new", OptionKind::Flag, "add: new episodes only: no repeats, no episode seen before"},
                  {"--once", OptionKind::Flag, "add: each episode once: a re-air is listed, never announced or reserved"},
                  kAll, kJson, kIcs, kExec,
                  kNowOption.withHelp("check, explain: the moment to act as of, \"YYYY-MM-DD HH:MM\"")});
  return options;
}

const CliVerbRegistration kWatch(
    {"watch", "watch add [--reserve] [--new] [--once] [query options] WORD... | list | remove N | check [--all] [--reserve] [--json | --ics] [--exec COMMAND] "
     "[--now \"YYYY-MM-DD HH:MM\"] | explain N [--now \"YYYY-MM-DD HH:MM\"]",
     runWatch, "keep saved searches, print their new matches or explain one (check exit 1: none new)", watchOptions(),
     "watch add --channel NHK --time 19:00-19:30 news", kReadsOnly | kDashWords | kLocksSettings});

}  // namespace
