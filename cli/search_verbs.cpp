// Verb "search": the programmes of the cached week that match a query, as
// text lines, JSON records, XMLTV or iCalendar.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/listing_gaps.h"
#include "cli/search_options.h"
#include "guide/guide_cache.h"
#include "listing/ics_writer.h"
#include "listing/json_writer.h"
#include "listing/xmltv_file.h"
#include "listing/xmltv_writer.h"
#include "os/standard_stream.h"
#include "os/text.h"
#include "search/cache_search.h"
#include "search/match_line.h"
#include "search/programme_matcher.h"
#include "watch/watch_change_memory.h"

namespace {

enum class MatchFormat { Lines, Json, Xmltv, Ics };

const CliOption kJson{"--json", OptionKind::Flag, "print JSON programme records"};
const CliOption kXmltv{"--xmltv", OptionKind::Flag, "print an XMLTV document of the matches"};
const CliOption kIcs{"--ics", OptionKind::Flag, "print an iCalendar file, one event per match"};
const CliOption kOut{"--out", OptionKind::Text, "write this file instead of standard output"};

bool takeFormat(VerbOptions& options, MatchFormat& format) {
  int chosen = 0;
  if (options.flag(kJson)) format = MatchFormat::Json, ++chosen;
  if (options.flag(kXmltv)) format = MatchFormat::Xmltv, ++chosen;
  if (options.flag(kIcs)) format = MatchFormat::Ics, ++chosen;
  return chosen <= 1;
}

std::string matchLines(const std::vector<ProgrammeRecord>& matches) {
  std::string lines, line;
  for (const ProgrammeRecord& record : matches) {
    // One line's room serves them all: thousands of lines, no allocation each.
    line.clear();
    appendMatchLine(line, record);
    appendVisibleLine(lines, line);
    lines += '\n';
  }
  return os::cp932ToUtf8(lines);
}

std::string document(MatchFormat format, const Listing& source, const std::vector<ProgrammeRecord>& matches,
                     const SettingsStore& settings) {
  // Lines need no listing of the matches: thousands of records not copied.
  if (format == MatchFormat::Lines) return matchLines(matches);
  const Listing found = listingOf(source, matches);
  switch (format) {
    case MatchFormat::Json: return programmesJson(found);
    case MatchFormat::Xmltv: return xmltvDocument(found);
    case MatchFormat::Ics:
      return icsDocument(found, guideMinuteOf(currentDateTime()), movedProgrammesHistory(settings, source));
    case MatchFormat::Lines: break;
  }
  return std::string();
}

int runSearch(CliContext& context) {
  VerbOptions options(context);
  ListingRange range = defaultListingRange(currentDateTime());
  MatchFormat format = MatchFormat::Lines;
  std::string out;
  const bool hasOut = options.text(kOut, out);
  if (!takeFormat(options, format)) return argumentError("search", "--json, --xmltv and --ics go one at a time");
  if (!takeListingDays(options, range) || (hasOut && out.empty())) return usageError(context, "search");
  ProgrammeMatcher matcher;
  if (!compileQueryArguments("search", context.args, matcher, nullptr, QueryUse::Search)) return 2;
  // Lines show no channel ids, marks or sub-titles.
  range.stopsOnly = format == MatchFormat::Lines;
  range.loadsAhead = true;
  Listing listing;
  const std::vector<ProgrammeRecord> matches = searchCache(context.cache, range, matcher, listing);
  reportListingGaps(listing, range);
  const std::string text = document(format, listing, matches, context.settings);
  if (!hasOut) {
    os::writeStandard(os::StandardStream::Output, text);
    if (std::fflush(stdout) != 0) return 1;
  } else if (!writeFileAtomically(out, text)) {
    printFileFailure("write", out);
    return 1;
  }
  return matches.empty() ? 1 : 0;
}

std::vector<CliOption> searchOptions() {
  std::vector<CliOption> options = queryOptions();
  options.insert(options.end(), {kFromOption, kDaysOption, kJson, kXmltv, kIcs, kOut});
  return options;
}

const CliVerbRegistration kSearch(
    {"search",
     "search [--channel NAME]... [--genre NAME]... [--time HH:MM-HH:MM] [--weekday DAYS] [--regex] "
     "[--from YYYY-MM-DD] [--days N] [--json | --xmltv | --ics] [--out FILE] WORD... [-WORD]...",
     runSearch, "find programmes of the cached week (exit 1: none found)", searchOptions(),
     "search --genre sports --weekday sat,sun --ics --out sports.ics", kReadsOnly | kDashWords});

}  // namespace
