// EpisodeJudge: what the watch entries with --new or --once make of a
// programme they find: a repeat (left out by --new), a re-air of an
// episode seen before (left out by --new, listed but never announced or
// reserved by --once), or a programme to keep. An episode is seen before
// when the memory of seen episodes (watch_memory.h) holds it under another
// airing, or when an earlier programme noted in the same check has it.
//
// Calling protocol: note every programme such entries find, then ask
// verdictOf for each. The records must outlive the judge.
#pragma once

#include <string>
#include <unordered_map>

#include "listing/programme_record.h"
#include "search/programme_query.h"
#include "watch/episode_key.h"

class SettingsStore;

// True for a query that follows episodes (--new or --once).
bool followsEpisodes(const ProgrammeQuery& query);

struct EpisodeVerdict {
  enum Kind { kKept, kRepeat, kReair };
  Kind kind = kKept;
  std::string firstAiring;  // kReair: the identity of the airing seen first
  std::string hash;         // the episode's key hash; empty when it has none
};

class EpisodeJudge {
 public:
  explicit EpisodeJudge(const SettingsStore& settings) : settings_(settings) {}
  EpisodeJudge(const EpisodeJudge&) = delete;
  EpisodeJudge& operator=(const EpisodeJudge&) = delete;

  // A programme `query` found; a repeat --new leaves out is no first airing.
  void note(const ProgrammeRecord& record, const ProgrammeQuery& query);
  EpisodeVerdict verdictOf(const ProgrammeRecord& record, const ProgrammeQuery& query);

 private:
  const EpisodeKey& keyOf(const ProgrammeRecord& record);

  const SettingsStore& settings_;
  std::unordered_map<const ProgrammeRecord*, EpisodeKey> keys_;
  // The earliest programme noted of each key hash.
  std::unordered_map<std::string, const ProgrammeRecord*> earliest_;
};
