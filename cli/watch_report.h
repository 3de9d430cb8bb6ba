// What `watch check` and a crawl print of the watch list's matches: each
// entry's line and its programmes in the line form of `search`, or JSON
// records, or an iCalendar file; then the new matches remembered as
// announced, or, with a command, each one as soon as its command succeeded
// (a failed one is tried again at the next check, kCommandTries times in
// all). With `reserve` the matches of entries with --reserve go to the
// recorder (setting "recorder"), and only those it holds are remembered as
// reserved; without it nothing is reserved here: that is the Windows
// program's, which has the recording tool.
#pragma once

#include <string>

#include "calendar/calendar.h"
#include "cli/cli.h"

struct WatchReport {
  enum class Format { Lines, Json, Ics };
  Format format = Format::Lines;
  bool all = false;     // every current match, not only the new ones
  std::string command;  // run for each new match; none when empty
  bool changes = true;  // the remembered changes of the watched programmes too
  bool reserve = false;  // hand the matches to reserve to the recorder
};

struct WatchReportResult {
  int shown = 0;        // matches printed
  bool failed = false;  // a command failed, the recorder could not be reached, or the settings could not be saved
};

// Checks the watch list of the context's settings as of `now` and reports
// as `report` says; damaged entries are named on stderr. With no entries,
// prints nothing and leaves the settings alone.
WatchReportResult reportWatchMatches(CliContext& context, const DateTime& now, const WatchReport& report);
