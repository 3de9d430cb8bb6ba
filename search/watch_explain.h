// WatchExplanation: why a query finds what it finds in a listing: its
// matches, and the near misses (programmes that fail exactly one of the
// query's conditions) with the condition each failed. Each word and each
// "-word" is a condition of its own; the channels, the genres, the time
// window and the weekdays are one each. A query of one condition has no
// near misses: every other programme would be one.
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

struct QueryCondition {
  enum Kind { kWord, kExcluded, kChannel, kGenre, kTime, kWeekday };
  Kind kind = kWord;
  std::string word;  // kWord and kExcluded: the word as the query holds it (Shift-JIS)
};

struct NearMiss {
  ProgrammeRecord record;
  QueryCondition failed;
};

struct WatchExplanation {
  std::vector<ProgrammeRecord> matches;  // by start, then channel order
  std::vector<NearMiss> nearMisses;      // the same order, at most the limit asked for
  int moreNearMisses = 0;                // those left out beyond the limit
};

// The conditions of `query`, in its text form's order of parts.
std::vector<QueryCondition> queryConditions(const ProgrammeQuery& query);

// Over the programmes of `listing` that have not ended by `now`. False,
// with the problem, for a query that does not compile.
bool explainQuery(const Listing& listing, const ProgrammeQuery& query, ListingMinute now, std::size_t limit,
                  WatchExplanation& explanation, QueryProblem& problem);
