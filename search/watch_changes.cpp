// Comparing the watched programmes of two guides.
#include "search/watch_changes.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "guide/calendar.h"
#include "search/episode_reading.h"

namespace {

using Records = std::vector<const ProgrammeRecord*>;

// The programmes of a guide by channel id and title, each list by start.
class TitleIndex {
 public:
  explicit TitleIndex(const std::vector<ProgrammeRecord>& programmes) {
    for (const ProgrammeRecord& record : programmes) byTitle_[keyOf(record)].push_back(&record);
    for (auto& entry : byTitle_)
      std::stable_sort(entry.second.begin(), entry.second.end(),
                       [](const ProgrammeRecord* a, const ProgrammeRecord* b) { return a->start < b->start; });
  }
  const Records& like(const ProgrammeRecord& record) const {
    static const Records none;
    const auto found = byTitle_.find(keyOf(record));
    return found == byTitle_.end() ? none : found->second;
  }

 private:
  static std::string keyOf(const ProgrammeRecord& record) { return record.channelId + '\x01' + record.title; }
  std::unordered_map<std::string, Records> byTitle_;
};

bool sameProgramme(const ProgrammeRecord& a, const ProgrammeRecord& b) {
  return std::abs(a.start - b.start) <= kWatchMoveMinutes && broadcastDayOf(a.start) == broadcastDayOf(b.start);
}

bool sameSlot(const ProgrammeRecord& a, const ProgrammeRecord& b) { return a.start == b.start && a.stop == b.stop; }

bool hasSameSlot(const Records& records, const ProgrammeRecord& record) {
  return std::any_of(records.begin(), records.end(), [&](const ProgrammeRecord* r) { return sameSlot(*r, record); });
}

bool hasSameProgramme(const Records& records, const ProgrammeRecord& record) {
  return std::any_of(records.begin(), records.end(),
                     [&](const ProgrammeRecord* r) { return sameProgramme(*r, record); });
}

// The spans of each channel's programmes in the new guide, by start.
using Spans = std::unordered_map<std::string, std::vector<std::pair<ListingMinute, ListingMinute>>>;

Spans spansOf(const std::vector<ProgrammeRecord>& programmes) {
  Spans spans;
  for (const ProgrammeRecord& record : programmes) spans[record.channelId].emplace_back(record.start, record.stop);
  for (auto& entry : spans) std::sort(entry.second.begin(), entry.second.end());
  return spans;
}

// True when the channel's programmes leave no minute of `record`'s span
// empty (a span of no length counts as its first minute).
bool covered(const Spans& spans, const ProgrammeRecord& record) {
  const auto found = spans.find(record.channelId);
  if (found == spans.end()) return false;
  ListingMinute reached = record.start;
  const ListingMinute end = std::max(record.stop, record.start + 1);
  for (const auto& span : found->second) {
    if (span.first > reached) break;
    reached = std::max(reached, span.second);
    if (reached >= end) return true;
  }
  return false;
}

// The new guide's programme that `watched` became, null when none: the one
// nearest its old start that the old guide did not hold in that very slot.
const ProgrammeRecord* movedTo(const ProgrammeRecord& watched, const Records& candidates, const Records& old,
                               const std::unordered_set<const ProgrammeRecord*>& taken) {
  const ProgrammeRecord* nearest = nullptr;
  for (const ProgrammeRecord* candidate : candidates) {
    if (!sameProgramme(*candidate, watched) || hasSameSlot(old, *candidate) || taken.count(candidate)) continue;
    if (!nearest || std::abs(candidate->start - watched.start) < std::abs(nearest->start - watched.start))
      nearest = candidate;
  }
  return nearest;
}

WatchChange changeOf(WatchChangeKind kind, const ProgrammeRecord& before, const ProgrammeRecord* after) {
  WatchChange change;
  change.kind = kind;
  change.before = before;
  if (after) change.after = *after;
  change.hasAfter = after != nullptr;
  return change;
}

void addNewEpisodes(const std::vector<ProgrammeRecord>& watched, const std::vector<ProgrammeRecord>& programmes,
                    const TitleIndex& oldIndex, std::vector<WatchChange>& changes) {
  std::map<std::string, const ProgrammeRecord*> watchedSeries;
  for (const ProgrammeRecord& record : watched) {
    const std::string series = readEpisode(record.title, record.description).series;
    if (!series.empty()) watchedSeries.emplace(series, &record);
  }
  if (watchedSeries.empty()) return;
  for (const ProgrammeRecord& record : programmes) {
    if (hasSameProgramme(oldIndex.like(record), record)) continue;
    const auto found = watchedSeries.find(readEpisode(record.title, record.description).series);
    if (found != watchedSeries.end()) changes.push_back(changeOf(WatchChangeKind::newEpisode, *found->second, &record));
  }
}

const ProgrammeRecord& nowOf(const WatchChange& change) { return change.hasAfter ? change.after : change.before; }

}  // namespace

std::vector<WatchChange> watchChanges(const Listing& before, const Listing& after,
                                      const std::vector<ProgrammeRecord>& watched) {
  const TitleIndex oldIndex(before.programmes), newIndex(after.programmes);
  const Spans spans = spansOf(after.programmes);
  std::unordered_set<const ProgrammeRecord*> taken;
  std::vector<WatchChange> changes;
  for (const ProgrammeRecord& record : watched) {
    const Records& candidates = newIndex.like(record);
    if (hasSameSlot(candidates, record)) continue;
    if (const ProgrammeRecord* moved = movedTo(record, candidates, oldIndex.like(record), taken)) {
      taken.insert(moved);
      const bool extended = moved->start == record.start && moved->stop > record.stop;
      changes.push_back(changeOf(extended ? WatchChangeKind::extended : WatchChangeKind::moved, record, moved));
    } else if (covered(spans, record)) {
      changes.push_back(changeOf(WatchChangeKind::cancelled, record, nullptr));
    }
  }
  addNewEpisodes(watched, after.programmes, oldIndex, changes);
  std::stable_sort(changes.begin(), changes.end(), [](const WatchChange& a, const WatchChange& b) {
    return std::tie(nowOf(a).start, nowOf(a).channelId) < std::tie(nowOf(b).start, nowOf(b).channelId);
  });
  return changes;
}
