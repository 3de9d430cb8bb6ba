// WatchChangeMemory: the changes the watch list has seen of its programmes
// since they were first in the guide, so that `watch check`, the web guide's
// watch page and the calendar feeds can tell of them after the crawl that
// found them. A settings section of one line a programme, keyed by the
// programmeIdentity of its first airing (times YYYYMMDDHHMM, Japan time):
//   [watchchanges]
//   nhk.tokyo.jp/202612072100=moved 2 202612072200 202612072130 202612072230 202612071905 ニュース
// kind, changes so far, first stop, start and stop now, when last changed,
// title. A programme is forgotten once it has ended.
#pragma once

#include <string>
#include <vector>

#include "listing/ics_writer.h"
#include "listing/listing.h"
#include "watch/watch_changes.h"

class SettingsStore;

extern const char kChangesSection[];

struct RememberedChange {
  WatchChangeKind kind = WatchChangeKind::moved;
  std::string channelId;
  std::string title;  // Shift-JIS
  GuideMinute firstStart = 0, firstStop = 0;
  // Where it is now; the first times for a cancelled programme.
  GuideMinute start = 0, stop = 0;
  int sequence = 1;  // how many times it changed
  GuideMinute changedAt = 0;
};

// By start now, then channel id; damaged lines are skipped.
std::vector<RememberedChange> rememberedChanges(const SettingsStore& settings);
// Those of programmes that have not ended by `now`.
std::vector<RememberedChange> changesNotEnded(const SettingsStore& settings, GuideMinute now);
// Adds `changes` (a programme that changed again keeps its first airing's
// line) and forgets every programme that ended before `now`. Memory only:
// save the settings file afterwards.
void rememberChanges(SettingsStore& settings, const std::vector<WatchChange>& changes, GuideMinute now);

// The programme as first known and as it is now (its first airing for a
// cancelled one), named by the channels of `listing`; no description.
ProgrammeRecord firstAiringOf(const RememberedChange& change, const Listing& listing);
ProgrammeRecord airingNowOf(const RememberedChange& change, const Listing& listing);

// The calendar's view of the changes: the moved programmes' first starts
// and counts, and the cancelled ones with the channel names of `listing`.
IcsHistory icsHistoryOf(const std::vector<RememberedChange>& changes, const Listing& listing);
// Only the moved programmes of the settings' memory, for a search's feed:
// a moved watched programme keeps its event there, while the cancelled
// ones belong to the watch list's own feed.
IcsHistory movedProgrammesHistory(const SettingsStore& settings, const Listing& listing);
// The change's kind as a word: "moved", "extended", "cancelled", "new".
const char* changeKindWord(WatchChangeKind kind);
