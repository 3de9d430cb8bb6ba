// ProgrammeMatcher: a compiled query, and the search over a listing.
// Words are compared in search form (search_text.h) with the title and the
// description, the first kMaxSearchedText bytes of them; with `regex` they
// are regular expressions in ECMAScript's syntax over that UTF-8 text
// (text_pattern.h: one pass over the text, whatever the pattern). Channels compare in search form too
// ("ＮＨＫ総合" is "nhk総合"), a part of a name will do. The time window and the weekdays
// look at the start: its time of day, and the weekday of its broadcast day
// (a programme at 01:00 on Saturday belongs to Friday).
//
// Calling protocol: compile once (false, with the problem, for an empty
// query or a bad regular expression, which it names), then
// ask `matches` for each record. Or call findMatches. As a ListingRange's
// sieve it keeps what it matches, so that a listing builds only those.
#pragma once

#include <string>
#include <vector>

#include "listing/listing.h"
#include "listing/programme_record.h"
#include "listing/programme_sieve.h"
#include "search/programme_query.h"
#include "search/text_pattern.h"

// The most bytes of a programme's folded title and description searched:
// room for the longest texts a guide page or an XMLTV file brings (about
// 12 KB), and a bound on one programme's share of a search.
constexpr std::size_t kMaxSearchedText = 16 * 1024;

class ProgrammeMatcher : public ProgrammeSieve {
 public:
  bool compile(const ProgrammeQuery& query, QueryProblem& problem);
  // Reads only what a sieve's draft holds: the channel, start, genre,
  // title and description.
  bool matches(const ProgrammeRecord& record) const;
  bool keeps(const ProgrammeRecord& draft) const override { return matches(draft); }
  bool mayKeepTexts(const std::string& bytes) const override { return mayHoldWords(bytes, std::string()); }

 private:
  bool textMatches(const ProgrammeRecord& record) const;
  bool mayHoldWords(const std::string& title, const std::string& description) const;
  // Whether `title`, a title in search form, settles the match without its
  // description: every word in it, and nothing else asked.
  bool titleHoldsEveryWord(const std::string& title) const;
  bool timeMatches(GuideMinute start) const;

  ProgrammeQuery query_;
  std::vector<std::string> words_;     // search form
  std::vector<std::string> excluded_;  // search form
  std::vector<TextPattern> wordPatterns_;
  std::vector<TextPattern> excludedPatterns_;
  std::vector<std::string> channels_;  // search form
  // For characters of the words that only Shift-JIS pairs fold to, those
  // pairs: a text without one of them in its bytes cannot hold the word,
  // and most programmes are passed over without folding their texts.
  std::vector<std::vector<std::string>> wordCharacterPairs_;
};

// The weekday (0 = Sunday) of the broadcast day a moment belongs to.
int broadcastWeekday(GuideMinute moment);

// The records of `listing` that match, by start, then in the listing's
// channel order. Empty for a query that does not compile (see
// ProgrammeMatcher::compile to learn why).
std::vector<ProgrammeRecord> findMatches(const Listing& listing, const ProgrammeQuery& query);
// Sorts records by start, then in the listing's channel order.
void sortMatches(std::vector<ProgrammeRecord>& records, const Listing& listing);
// The same with a compiled matcher.
std::vector<ProgrammeRecord> findMatches(const Listing& listing, const ProgrammeMatcher& matcher);
