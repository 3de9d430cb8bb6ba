// Printing the watched programmes' changes.
#include "cli/watch_change_report.h"

#include <cstdio>

#include "guide/guide_cache.h"
#include "os/standard_stream.h"
#include "os/text.h"
#include "search/match_line.h"
#include "watch/change_line.h"
#include "watch/watch_follow.h"

namespace {

std::string kindText(WatchChangeKind kind) {
  return kind == WatchChangeKind::newEpisode ? "watch new episode" : std::string("watch ") + changeKindWord(kind);
}

std::string lineOf(WatchChangeKind kind, const ProgrammeRecord& first, const ProgrammeRecord* now) {
  return visibleLine(changeLine(kindText(kind), first, now)) + "\n";
}

}  // namespace

int followWatchedProgrammes(CliContext& context, const DateTime& now, const std::function<int()>& writeGuide,
                            bool& saved) {
  GuideCache& cache = context.cache;
  const WatchSnapshot snapshot = takeWatchSnapshot(cache, now);
  const int result = writeGuide();
  if (result < 0) return result;
  const std::vector<WatchChange> changes = followWatchChanges(snapshot, cache, now);
  if (changes.empty()) return result;
  std::string lines;
  for (const WatchChange& change : changes) {
    lines += lineOf(change.kind, firstAiring(change), airsAtOtherTimes(change.kind) ? &change.after : nullptr);
  }
  const std::string text = os::cp932ToUtf8(lines);
  os::writeStandard(os::StandardStream::Output, text);
  if (!saveSettings(context)) saved = false;
  return result;
}

std::string rememberedChangeLines(const std::vector<RememberedChange>& changes, const Listing& listing) {
  std::string lines;
  for (const RememberedChange& change : changes) {
    const ProgrammeRecord first = firstAiringOf(change, listing), now = airingNowOf(change, listing);
    lines += lineOf(change.kind, first, airsAtOtherTimes(change.kind) ? &now : nullptr);
  }
  return os::cp932ToUtf8(lines);
}
