// Printing the watch list's matches and running the command of --exec.
#include "cli/watch_report.h"

#include <cstdio>
#include <vector>

#include "cli/watch_change_report.h"
#include "guide/guide_cache.h"
#include "listing/export_text.h"
#include "listing/genre_names.h"
#include "listing/ics_writer.h"
#include "listing/json_writer.h"
#include "os/shell_command.h"
#include "os/standard_stream.h"
#include "os/text.h"
#include "recorder/recorder_reservations.h"
#include "search/match_line.h"
#include "watch/change_line.h"
#include "watch/watch_change_memory.h"
#include "watch/watch_check.h"
#include "watch/watch_match.h"
#include "watch/watch_memory.h"

namespace {

std::string entryText(const WatchEntry* entry) { return entry ? queryText(entry->query) : std::string(); }

// " (re-air of MM/DD HH:MM channel)" after a re-air's line, `first` the
// airing it repeats; empty for any other programme.
std::string reairNote(const std::vector<ListingChannel>& channels, const std::string& first) {
  if (first.empty()) return std::string();
  std::string channel;
  for (const ListingChannel& known : channels)
    if (first.compare(0, known.id.size() + 1, known.id + "/") == 0) channel = " " + known.name;
  return " (re-air of " + identityStartText(first) + channel + ")";
}

// Each entry's line, then the programmes it found, in the order given.
std::string matchLines(const WatchCheck& check, const std::vector<WatchMatch>& shown) {
  std::string lines;
  for (const WatchEntry& entry : check.entries) {
    std::string found;
    for (const WatchMatch& match : shown)
      if (match.entry == &entry)
        found += visibleLine(matchLine(match.record) + reairNote(check.channels, match.firstAiring)) + "\n";
    if (!found.empty()) lines += visibleLine("watch " + std::to_string(entry.number) + ": " + entryText(&entry)) + "\n" + found;
  }
  return os::cp932ToUtf8(lines);
}

void appendChangeJson(std::string& out, const RememberedChange& change) {
  out += ", \"watchChange\": {\"kind\": ";
  appendJsonString(out, changeKindWord(change.kind));
  out += ", \"sequence\": " + std::to_string(change.sequence) + ", \"firstStart\": ";
  appendJsonString(out, isoJapanTime(change.firstStart));
  out += ", \"firstEnd\": ";
  appendJsonString(out, isoJapanTime(change.firstStop));
  out += '}';
}

// The export's record, with the entry that found it after its keys and
// what changed of it.
void appendMatchJson(std::string& out, const WatchMatch& match) {
  out += out.size() == 1 ? "\n" : ",\n";
  appendProgrammeJson(out, match.record);
  out.pop_back();  // the record's closing brace
  out += ", \"watchEntry\": " + std::to_string(entryNumberOf(match)) + ", \"watchQuery\": ";
  appendJsonString(out, entryText(match.entry));
  if (!match.firstAiring.empty()) {
    out += ", \"reairOf\": {\"channelId\": ";
    appendJsonString(out, match.firstAiring.substr(0, match.firstAiring.rfind('/')));
    out += ", \"start\": \"" + isoJapanTime(identityStart(match.firstAiring)) + "\"}";
  }
  if (match.change) appendChangeJson(out, *match.change);
  out += '}';
}

// The matches, then the cancelled programmes.
std::string matchesJson(const std::vector<WatchMatch>& shown, const std::vector<WatchMatch>& cancelled) {
  std::string out = "[";
  for (const WatchMatch& match : shown) appendMatchJson(out, match);
  for (const WatchMatch& match : cancelled) appendMatchJson(out, match);
  return out + "\n]\n";
}

std::string document(const WatchCheck& check, const std::vector<ProgrammeRecord>& shown, const WatchReport& report,
                     const DateTime& now, const std::vector<RememberedChange>& changes) {
  Listing source;
  source.channels = check.channels;
  switch (report.format) {
    case WatchReport::Format::Json:
      return matchesJson(watchMatches(check, shown, changes), cancelledMatches(changes, source));
    case WatchReport::Format::Ics:
      return icsDocument(listingOf(source, shown), guideMinuteOf(now), icsHistoryOf(changes, source));
    case WatchReport::Format::Lines: break;
  }
  return matchLines(check, watchMatches(check, shown, {})) + rememberedChangeLines(changes, source);
}

os::EnvironmentVariables matchVariables(const WatchMatch& match) {
  const ProgrammeRecord& record = match.record;
  const auto utf8 = [](const std::string& cp932) { return os::cp932ToUtf8(cp932); };
  return {{"ROKUBAN_TITLE", utf8(record.title)},
          {"ROKUBAN_SUBTITLE", utf8(record.extra().subTitle)},
          {"ROKUBAN_DESCRIPTION", utf8(record.description)},
          {"ROKUBAN_CHANNEL", utf8(record.channel)},
          {"ROKUBAN_CHANNEL_ID", utf8(record.channelId)},
          {"ROKUBAN_START", isoJapanTime(record.start)},
          {"ROKUBAN_END", isoJapanTime(record.stop)},
          {"ROKUBAN_GENRE", utf8(genreNameJapanese(record.genre))},
          {"ROKUBAN_GENRE_EN", genreNameEnglish(record.genre)},
          {"ROKUBAN_ENTRY", std::to_string(entryNumberOf(match))},
          {"ROKUBAN_QUERY", utf8(entryText(match.entry))},
          {"ROKUBAN_LINE", utf8(matchLine(record))}};
}

// Each new match gets its command, whatever the others' did, and is
// remembered as announced, saved at once, as soon as its command succeeded
// (or failed for the last time): an interrupted run remembers what it ran.
// The settings file is not locked meanwhile, so a command may read or
// change it. False when any command failed or a save did.
bool announceThroughCommand(CliContext& context, const WatchCheck& check, const std::string& command,
                            GuideMinute now, std::size_t& forgotten) {
  context.settings.releaseLock();
  bool allRan = true;
  for (const WatchMatch& match : watchMatches(check, check.fresh, {})) {
    const ProgrammeRecord& record = match.record;
    const int status = os::runShellCommand(command, matchVariables(match));
    bool announced = status == 0;
    if (!announced) {
      allRan = false;
      const std::string why = status < 0 ? "could not be started" : "failed with exit status " + std::to_string(status);
      const std::string line = visibleLine(matchLine(record));
      printError("rokuban-cli: watch: the command " + why + " for " + line + "\n");
      announced = noteFailedTry(context.settings, record, now) >= kCommandTries;
      if (announced) {
        printError("rokuban-cli: watch: the command failed " + std::to_string(kCommandTries) + " times for " + line +
                   "; it is not tried again\n");
      }
    }
    if (announced) {
      forgetFailedTries(context.settings, record);
      forgotten += rememberAnnounced(context.settings, check, {record}, now);
    }
    if (!saveSettings(context)) return false;
  }
  return allRan;
}

// The matches to reserve handed to the recorder; those it holds are
// remembered, each refusal said, and what was left unasked waits.
// A reserved programme that moved is the recorder's to follow: said
// whether it did.
void reportMoves(RecorderClient& client, const std::vector<MovedReservation>& moved,
                 const std::vector<ListingChannel>& channels) {
  std::vector<RecorderReserve> reserves;
  const RecorderResult listed = client.list(reserves);
  for (const MovedReservation& move : moved) {
    const RecorderReserve* reserve = listed.outcome == RecorderOutcome::Done ? followingReserve(move, reserves) : nullptr;
    const std::string what = listed.outcome != RecorderOutcome::Done
                                 ? std::string("the recorder follows moves; its reserves could not be listed (") +
                                       recorderOutcomeEnglish(listed.outcome) + ")"
                             : reserve ? "the recorder followed the move: " +
                                             reserveLine(*reserve, guideChannelName(channels, reserve->channelId))
                                       : std::string("the recorder lost it: no reserve at the new time");
    printError("rokuban-cli: watch: moved " + visibleLine(move.now.title) + " (now " + isoJapanTime(move.now.start) +
               "): " + visibleLine(what) + "\n");
  }
}

bool reserveMatches(CliContext& context, const WatchCheck& check, const DateTime& now, std::size_t& forgotten) {
  RecorderClient client(context.settings.recorder(), context.cache.clock());
  const std::vector<MovedReservation> moved =
      movedReservations(changesNotEnded(context.settings, guideMinuteOf(now)), context.settings);
  if (!moved.empty()) reportMoves(client, moved, check.channels);
  if (check.toReserve.empty()) return true;
  const RecorderReservations done = reserveWithRecorder(client, check.toReserve);
  for (std::size_t i = 0; i < done.reserved.size(); ++i) {
    const std::string held = done.heldAs[i] > 0 ? "already reserved #" + std::to_string(done.heldAs[i]) + ": " : "";
    printError("rokuban-cli: watch: " + (held.empty() ? "reserved " : held) + visibleLine(matchLine(done.reserved[i])) +
               "\n");
  }
  bool reached = true;
  for (const RecorderRefusal& refusal : done.refused) {
    printError("rokuban-cli: watch: " + visibleLine(refusalLine(refusal, true, check.channels)) + "\n");
    if (refusal.result.outcome == RecorderOutcome::Unreachable || refusal.result.outcome == RecorderOutcome::TimedOut)
      reached = false;
  }
  if (done.left > 0)
    printError("rokuban-cli: watch: " + std::to_string(done.left) + " more to reserve at the next check\n");
  if (!done.reserved.empty()) forgotten += rememberReserved(context.settings, check, done.reserved, guideMinuteOf(now));
  return reached;
}

// The memory of seen episodes is bounded; when it overflows, a re-air of
// what it forgot would be announced as new.
void sayForgotten(std::size_t forgotten) {
  if (forgotten == 0) return;
  printError("rokuban-cli: watch: the memory of seen episodes is full (" + std::to_string(kSeenLines) +
             "); the " + std::to_string(forgotten) + " earliest were forgotten, and a re-air of them may be announced again\n");
}

}  // namespace

WatchReportResult reportWatchMatches(CliContext& context, const DateTime& now, const WatchReport& report) {
  const WatchCheck check = checkWatchList(context.cache, now);
  for (const std::string& problem : check.problems) printError("rokuban-cli: " + problem + "\n");
  const std::vector<ProgrammeRecord>& shown = report.all ? check.current : check.fresh;
  WatchReportResult result;
  const bool withChanges = report.changes && !check.entries.empty();
  const std::vector<RememberedChange> changes =
      withChanges ? changesNotEnded(context.settings, guideMinuteOf(now)) : std::vector<RememberedChange>();
  // A change printed is something to tell, as a match is.
  result.shown = static_cast<int>(shown.size() + changes.size());
  const std::string text = document(check, shown, report, now, changes);
  os::writeStandard(os::StandardStream::Output, text);
  // Before any command writes to the same stream.
  if (std::fflush(stdout) != 0) result.failed = true;
  std::size_t forgotten = 0;
  if (!report.command.empty()) {
    // Saves as each command succeeds.
    if (!announceThroughCommand(context, check, report.command, guideMinuteOf(now), forgotten)) result.failed = true;
  } else if (!check.fresh.empty()) {
    forgotten = rememberAnnounced(context.settings, check, check.fresh, guideMinuteOf(now));
  }
  if (report.reserve && !reserveMatches(context, check, now, forgotten)) result.failed = true;
  if (((report.command.empty() && !check.fresh.empty()) || (report.reserve && !check.toReserve.empty())) &&
      !saveSettings(context))
    result.failed = true;
  sayForgotten(forgotten);
  return result;
}
