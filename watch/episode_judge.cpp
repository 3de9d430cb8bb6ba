// Repeats and re-airs for the entries that follow episodes.
#include "watch/episode_judge.h"

#include "watch/watch_memory.h"

namespace {

// By start; at one start (the same episode on two channels at once) by
// channel id, so that one of them is the first whatever the order.
bool airsBefore(const ProgrammeRecord& a, const ProgrammeRecord& b) {
  return a.start != b.start ? a.start < b.start : a.channelId < b.channelId;
}

}  // namespace

bool followsEpisodes(const ProgrammeQuery& query) { return query.newOnly || query.once; }

const EpisodeKey& EpisodeJudge::keyOf(const ProgrammeRecord& record) {
  auto found = keys_.find(&record);
  if (found == keys_.end()) found = keys_.emplace(&record, episodeKeyOf(record)).first;
  return found->second;
}

void EpisodeJudge::note(const ProgrammeRecord& record, const ProgrammeQuery& query) {
  const EpisodeKey& key = keyOf(record);
  if (key.hash.empty() || (query.newOnly && key.isRepeat)) return;
  const ProgrammeRecord*& first = earliest_[key.hash];
  if (!first || airsBefore(record, *first)) first = &record;
}

EpisodeVerdict EpisodeJudge::verdictOf(const ProgrammeRecord& record, const ProgrammeQuery& query) {
  const EpisodeKey& key = keyOf(record);
  EpisodeVerdict verdict;
  verdict.hash = key.hash;
  if (query.newOnly && key.isRepeat) {
    verdict.kind = EpisodeVerdict::kRepeat;
    return verdict;
  }
  if (key.hash.empty()) return verdict;
  const std::string seen = seenAiring(settings_, key.hash);
  if (!seen.empty()) {
    if (!isSameAiring(seen, record)) verdict = {EpisodeVerdict::kReair, seen, key.hash};
    return verdict;
  }
  const auto first = earliest_.find(key.hash);
  if (first != earliest_.end() && airsBefore(*first->second, record))
    verdict = {EpisodeVerdict::kReair, programmeIdentity(*first->second), key.hash};
  return verdict;
}
