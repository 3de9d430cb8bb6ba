// WatchExplanation: why a query finds what it finds in a listing: its
// matches, and the near misses (programmes that fail exactly one of the
// query's conditions) with the condition each failed. Each word and each
// "-word" is a condition of its own; the channels, the genres, the time
// window and the weekdays are one each. A query of one condition has no
// near misses: every other programme would be one. An entry with --new or
// --once also has the programmes it finds but leaves out as near misses: a
// repeat under --new, and an episode seen before (on its own, without the
// other entries' earlier airings).
//
// Calling protocol: explainQuery over the listing `watch check` reads;
// the caller words the conditions (the command line in English).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "listing/listing.h"
#include "listing/programme_record.h"
#include "search/programme_query.h"
#include "search/query_problem.h"

class SettingsStore;

struct QueryCondition {
  // kRepeat and kSeen are no conditions of the query's text: what --new
  // and --once leave out of its matches.
  enum Kind { kWord, kExcluded, kChannel, kGenre, kTime, kWeekday, kRepeat, kSeen };
  Kind kind = kWord;
  std::string word;  // kWord and kExcluded: the word as the query holds it (Shift-JIS)
};

struct NearMiss {
  ProgrammeRecord record;
  QueryCondition failed;
  std::string firstAiring;  // kSeen: the identity of the airing seen first (watch_memory.h)
};

struct WatchExplanation {
  std::vector<ProgrammeRecord> matches;  // by start, then channel order
  std::vector<NearMiss> nearMisses;      // the same order, at most the limit asked for
  int moreNearMisses = 0;                // those left out beyond the limit
};

// The conditions of `query`, in its text form's order of parts.
std::vector<QueryCondition> queryConditions(const ProgrammeQuery& query);

// Over the programmes of `listing` that have not ended by `now`, the
// episodes seen in `settings` when it is given. False, with the problem,
// for a query that does not compile.
bool explainQuery(const Listing& listing, const ProgrammeQuery& query, GuideMinute now, std::size_t limit,
                  WatchExplanation& explanation, QueryProblem& problem, const SettingsStore* settings = nullptr);
