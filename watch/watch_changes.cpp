// Comparing the watched programmes of two guides.
#include "watch/watch_changes.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "calendar/calendar.h"
#include "watch/episode_reading.h"

namespace {

using Records = std::vector<const ProgrammeRecord*>;
using Range = std::pair<Records::const_iterator, Records::const_iterator>;

// The programmes of a guide by channel id, each channel's by start.
class ChannelIndex {
 public:
  explicit ChannelIndex(const std::vector<ProgrammeRecord>& programmes) {
    // A listing comes by channel: one look-up a run of a channel.
    Records* last = nullptr;
    for (const ProgrammeRecord& record : programmes) {
      if (!last || last->back()->channelId != record.channelId) last = &byChannel_[record.channelId];
      last->push_back(&record);
    }
    const auto byStart = [](const ProgrammeRecord* a, const ProgrammeRecord* b) { return a->start < b->start; };
    for (auto& entry : byChannel_)
      if (!std::is_sorted(entry.second.begin(), entry.second.end(), byStart))
        std::stable_sort(entry.second.begin(), entry.second.end(), byStart);
  }
  const Records& of(const std::string& channelId) const {
    static const Records none;
    const auto found = byChannel_.find(channelId);
    return found == byChannel_.end() ? none : found->second;
  }
  // Those of `record`'s channel starting within the move distance of it.
  Range near(const ProgrammeRecord& record) const { return nearIn(of(record.channelId), record); }
  // The same among `records`, the programmes of its channel.
  static Range nearIn(const Records& records, const ProgrammeRecord& record) {
    const auto startsBefore = [](const ProgrammeRecord* r, GuideMinute start) { return r->start < start; };
    const auto startsAfter = [](GuideMinute start, const ProgrammeRecord* r) { return start < r->start; };
    return {std::lower_bound(records.begin(), records.end(), record.start - kWatchMoveMinutes, startsBefore),
            std::upper_bound(records.begin(), records.end(), record.start + kWatchMoveMinutes, startsAfter)};
  }

 private:
  std::unordered_map<std::string, Records> byChannel_;
};

bool sameProgramme(const ProgrammeRecord& a, const ProgrammeRecord& b) {
  return std::abs(a.start - b.start) <= kWatchMoveMinutes && broadcastDayOf(a.start) == broadcastDayOf(b.start) &&
         a.title == b.title && a.channelId == b.channelId;
}

bool sameSlot(const ProgrammeRecord& a, const ProgrammeRecord& b) {
  return a.start == b.start && a.stop == b.stop && a.title == b.title && a.channelId == b.channelId;
}

bool hasSameSlot(Range range, const ProgrammeRecord& record) {
  return std::any_of(range.first, range.second, [&](const ProgrammeRecord* r) { return sameSlot(*r, record); });
}

// Most programmes kept their start: those are looked at first.
bool hasSameProgramme(Range range, const ProgrammeRecord& record) {
  const auto startsBefore = [](const ProgrammeRecord* r, GuideMinute start) { return r->start < start; };
  for (auto at = std::lower_bound(range.first, range.second, record.start, startsBefore);
       at != range.second && (*at)->start == record.start; ++at)
    if (sameProgramme(**at, record)) return true;
  return std::any_of(range.first, range.second, [&](const ProgrammeRecord* r) { return sameProgramme(*r, record); });
}

// True when the channel's programmes leave no minute of `record`'s span
// empty (a span of no length counts as its first minute).
bool covered(const ChannelIndex& index, const ProgrammeRecord& record) {
  GuideMinute reached = record.start;
  const GuideMinute end = std::max(record.stop, record.start + 1);
  // Programmes are short of a day: any that reaches `record` starts after this.
  const Records& records = index.of(record.channelId);
  const auto startsBefore = [](const ProgrammeRecord* r, GuideMinute start) { return r->start < start; };
  for (auto at = std::lower_bound(records.begin(), records.end(), record.start - 24 * 60, startsBefore);
       at != records.end() && (*at)->start <= reached; ++at) {
    reached = std::max(reached, (*at)->stop);
    if (reached >= end) return true;
  }
  return false;
}

// The new guide's programme that `watched` became, null when none: the one
// nearest its old start that the old guide did not hold in that very slot.
const ProgrammeRecord* movedTo(const ProgrammeRecord& watched, Range candidates, const ChannelIndex& oldIndex,
                               const std::unordered_set<const ProgrammeRecord*>& taken) {
  const ProgrammeRecord* nearest = nullptr;
  for (auto at = candidates.first; at != candidates.second; ++at) {
    const ProgrammeRecord* candidate = *at;
    if (!sameProgramme(*candidate, watched) || taken.count(candidate)) continue;
    if (hasSameSlot(oldIndex.near(*candidate), *candidate)) continue;
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

// One string for an episode of a series: the series, then the number, part
// and subtitle that tell its episodes apart.
std::string episodeOf(const EpisodeReading& reading) {
  return reading.series + '\x1f' + std::to_string(reading.number) + '\x1f' + std::to_string(reading.part) + '\x1f' +
         reading.subtitle;
}

// A programme that names an episode of a watched series that none of the
// watched programmes is. Plain titles never count: every day's "ニュース７"
// would be a new episode of the day before's. An episode is new once, at
// its first airing; a re-run ([再]) is none.
void addNewEpisodes(const std::vector<ProgrammeRecord>& watched, const std::vector<ProgrammeRecord>& programmes,
                    const ChannelIndex& oldIndex, std::vector<WatchChange>& changes) {
  std::unordered_map<std::string, const ProgrammeRecord*> watchedSeries;
  std::unordered_set<std::string> watchedEpisodes;
  for (const ProgrammeRecord& record : watched) {
    const EpisodeReading reading = readEpisode(record.title, record.description);
    if (reading.series.empty()) continue;
    watchedSeries.emplace(reading.series, &record);
    watchedEpisodes.insert(episodeOf(reading));
  }
  if (watchedSeries.empty()) return;
  // A listing comes by channel: the old guide's channel looked up once a run.
  const std::string* channel = nullptr;
  const Records* oldRecords = nullptr;
  std::unordered_map<std::string, WatchChange> firstAirings;  // by episode
  for (const ProgrammeRecord& record : programmes) {
    if (!channel || *channel != record.channelId) channel = &record.channelId, oldRecords = &oldIndex.of(*channel);
    if (hasSameProgramme(ChannelIndex::nearIn(*oldRecords, record), record)) continue;
    const EpisodeReading reading = readEpisode(record.title, record.description);
    if (!reading.namesEpisode() || reading.isRepeat) continue;
    const auto series = watchedSeries.find(reading.series);
    const std::string episode = episodeOf(reading);
    if (series == watchedSeries.end() || watchedEpisodes.count(episode) != 0) continue;
    const auto noted = firstAirings.emplace(episode, changeOf(WatchChangeKind::newEpisode, *series->second, &record));
    if (!noted.second && record.start < noted.first->second.after.start) noted.first->second.after = record;
  }
  for (auto& airing : firstAirings) changes.push_back(std::move(airing.second));
}

const ProgrammeRecord& nowOf(const WatchChange& change) { return change.hasAfter ? change.after : change.before; }

}  // namespace

std::vector<WatchChange> watchChanges(const Listing& before, const Listing& after,
                                      const std::vector<ProgrammeRecord>& watched) {
  const ChannelIndex oldIndex(before.programmes), newIndex(after.programmes);
  std::unordered_set<const ProgrammeRecord*> taken;
  std::vector<WatchChange> changes;
  for (const ProgrammeRecord& record : watched) {
    const Range candidates = newIndex.near(record);
    if (hasSameSlot(candidates, record)) continue;
    if (const ProgrammeRecord* moved = movedTo(record, candidates, oldIndex, taken)) {
      taken.insert(moved);
      const bool extended = moved->start == record.start && moved->stop > record.stop;
      changes.push_back(changeOf(extended ? WatchChangeKind::extended : WatchChangeKind::moved, record, moved));
    } else if (covered(newIndex, record)) {
      changes.push_back(changeOf(WatchChangeKind::cancelled, record, nullptr));
    }
  }
  addNewEpisodes(watched, after.programmes, oldIndex, changes);
  // Sorted by place, then moved once: a change holds two whole records.
  std::vector<std::size_t> order(changes.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return std::tie(nowOf(changes[a]).start, nowOf(changes[a]).channelId) <
           std::tie(nowOf(changes[b]).start, nowOf(changes[b]).channelId);
  });
  std::vector<WatchChange> sorted;
  sorted.reserve(changes.size());
  for (std::size_t i : order) sorted.push_back(std::move(changes[i]));
  return sorted;
}
