// Matching programme records against a query.
#include "search/programme_matcher.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "listing/record_order.h"
#include "os/text.h"
#include "search/search_text.h"

namespace {

constexpr int kDayMinutes = 24 * 60;

int minuteOfDay(GuideMinute moment) { return static_cast<int>(((moment % kDayMinutes) + kDayMinutes) % kDayMinutes); }

QueryProblem::Kind problemOf(PatternVerdict verdict) {
  switch (verdict) {
    case PatternVerdict::kCompiled: return QueryProblem::kNone;
    case PatternVerdict::kMalformed: return QueryProblem::kBadRegex;
    case PatternVerdict::kUnsupported: return QueryProblem::kUnsupportedRegex;
    case PatternVerdict::kTooLarge: return QueryProblem::kRegexTooLarge;
  }
  return QueryProblem::kBadRegex;
}

// Compiles each word; the patterns of one query share the limit on their
// size, so that many words do not multiply a search's time.
bool compileAll(const std::vector<std::string>& words, std::vector<TextPattern>& patterns, std::size_t& size,
                QueryProblem& problem) {
  for (const std::string& word : words) {
    patterns.emplace_back();
    PatternVerdict verdict = patterns.back().compile(searchFormOfPattern(os::cp932ToUtf8(word)));
    size += patterns.back().size();
    if (verdict == PatternVerdict::kCompiled && size > kMaxPatternInstructions) verdict = PatternVerdict::kTooLarge;
    if (verdict != PatternVerdict::kCompiled) {
      problem = {problemOf(verdict), word};
      return false;
    }
  }
  return true;
}

// Cuts `text` to kMaxSearchedText bytes, not inside a character.
void capSearchedText(std::string& text) {
  if (text.size() <= kMaxSearchedText) return;
  std::size_t end = kMaxSearchedText;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
}

// A few characters of each word and the Shift-JIS pairs each folds from
// (see cp932PairsFoldingTo); characters other text folds to as well are
// passed by. Each costs a walk over the code page, so a few will do.
std::vector<std::vector<std::string>> characterPairsOf(const std::vector<std::string>& words) {
  constexpr int kCharactersPerWord = 2;
  std::vector<std::vector<std::string>> found;
  for (const std::string& word : words) {
    int taken = 0;
    for (std::size_t at = 0; at < word.size() && taken < kCharactersPerWord;) {
      std::size_t length = 1;
      while (at + length < word.size() && (static_cast<unsigned char>(word[at + length]) & 0xC0) == 0x80) ++length;
      std::vector<std::string> pairs;
      if (cp932PairsFoldingTo(word.substr(at, length), pairs)) {
        found.push_back(std::move(pairs));
        ++taken;
      }
      at += length;
    }
  }
  return found;
}

// Whether `text` holds the two bytes of `pair` side by side: the first
// looked for, the second compared in place (a general search compares each
// Japanese text's many candidates through a call).
bool holdsPair(const std::string& text, const std::string& pair) {
  const char* at = text.data();
  const char* const end = at + text.size();
  while ((at = static_cast<const char*>(std::memchr(at, pair[0], static_cast<std::size_t>(end - at)))) != nullptr) {
    if (++at == end) return false;
    if (*at == pair[1]) return true;
  }
  return false;
}

bool holdsAny(const std::string& text, const std::vector<std::string>& pairs) {
  return std::any_of(pairs.begin(), pairs.end(), [&](const std::string& pair) { return holdsPair(text, pair); });
}

std::vector<std::string> searchForms(const std::vector<std::string>& words) {
  std::vector<std::string> forms;
  for (const std::string& word : words) forms.push_back(searchFormOfCp932(word));
  return forms;
}

}  // namespace

int broadcastWeekday(GuideMinute moment) { return broadcastWeekdayOf(moment); }

bool ProgrammeMatcher::compile(const ProgrammeQuery& query, QueryProblem& problem) {
  if (isEmptyQuery(query)) {
    problem = {QueryProblem::kEmpty, std::string()};
    return false;
  }
  query_ = query;
  channels_ = searchForms(query.channels);
  words_.clear();
  excluded_.clear();
  wordCharacterPairs_.clear();
  wordPatterns_.clear();
  excludedPatterns_.clear();
  if (query.regex) {
    std::size_t size = 0;
    return compileAll(query.words, wordPatterns_, size, problem) &&
           compileAll(query.excluded, excludedPatterns_, size, problem);
  }
  words_ = searchForms(query.words);
  excluded_ = searchForms(query.excluded);
  wordCharacterPairs_ = characterPairsOf(words_);
  return true;
}

bool ProgrammeMatcher::matches(const ProgrammeRecord& record) const {
  if (!query_.genres.empty() &&
      std::find(query_.genres.begin(), query_.genres.end(), record.genre) == query_.genres.end())
    return false;
  if (!timeMatches(record.start)) return false;
  if (!channels_.empty()) {
    // A part of the name will do, as `show --channel` takes it: "nhk" is every NHK channel.
    const std::string channel = searchFormOfCp932(record.channel);
    const auto within = [&](const std::string& part) { return channel.find(part) != std::string::npos; };
    if (std::none_of(channels_.begin(), channels_.end(), within)) return false;
  }
  return textMatches(record);
}

bool ProgrammeMatcher::timeMatches(GuideMinute start) const {
  if (query_.weekdays != 0 && (query_.weekdays & (1u << broadcastWeekday(start))) == 0) return false;
  if (query_.windowFrom < 0) return true;
  const int minute = minuteOfDay(start);
  if (query_.windowFrom < query_.windowTo) return minute >= query_.windowFrom && minute < query_.windowTo;
  return minute >= query_.windowFrom || minute < query_.windowTo;
}

bool ProgrammeMatcher::textMatches(const ProgrammeRecord& record) const {
  if (words_.empty() && excluded_.empty() && wordPatterns_.empty() && excludedPatterns_.empty()) return true;
  if (!mayHoldWords(record.title, record.description)) return false;
  // One text for title and description, so that a word never spans them.
  thread_local std::string text;
  text.clear();
  appendSearchFormOfCp932(text, record.title);
  if (titleHoldsEveryWord(text)) return true;
  text += '\n';
  appendSearchFormOfCp932(text, record.description);
  capSearchedText(text);
  for (const std::string& word : words_)
    if (text.find(word) == std::string::npos) return false;
  for (const std::string& word : excluded_)
    if (text.find(word) != std::string::npos) return false;
  for (const TextPattern& pattern : wordPatterns_)
    if (!pattern.foundIn(text)) return false;
  for (const TextPattern& pattern : excludedPatterns_)
    if (pattern.foundIn(text)) return false;
  return true;
}

bool ProgrammeMatcher::titleHoldsEveryWord(const std::string& title) const {
  // Only plain words decide on the title alone: an excluded word or a
  // pattern may lie in the description. A title the cap could cut goes the
  // whole way.
  if (!excluded_.empty() || !wordPatterns_.empty() || !excludedPatterns_.empty()) return false;
  if (title.size() >= kMaxSearchedText) return false;
  for (const std::string& word : words_)
    if (title.find(word) == std::string::npos) return false;
  return true;
}

bool ProgrammeMatcher::mayHoldWords(const std::string& title, const std::string& description) const {
  // A pair in the bytes may straddle two characters; folding decides then.
  for (const std::vector<std::string>& pairs : wordCharacterPairs_)
    if (!holdsAny(title, pairs) && !holdsAny(description, pairs)) return false;
  return true;
}

std::vector<ProgrammeRecord> findMatches(const Listing& listing, const ProgrammeMatcher& matcher) {
  std::vector<ProgrammeRecord> found;
  for (const ProgrammeRecord& record : listing.programmes)
    if (matcher.matches(record)) found.push_back(record);
  sortMatches(found, listing);
  return found;
}

void sortMatches(std::vector<ProgrammeRecord>& records, const Listing& listing) {
  // Each record's column looked up once: a word can match thousands of a
  // household's programmes, each compared many times.
  std::unordered_map<std::string, std::size_t> columnOf;
  for (std::size_t i = listing.channels.size(); i-- > 0;) columnOf[listing.channels[i].name] = i;
  std::vector<std::size_t> column(records.size()), order(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    const auto found = columnOf.find(records[i].channel);
    column[i] = found == columnOf.end() ? listing.channels.size() : found->second;
    order[i] = i;
  }
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return records[a].start != records[b].start ? records[a].start < records[b].start : column[a] < column[b];
  });
  placeInOrder(records, order);
}

std::vector<ProgrammeRecord> findMatches(const Listing& listing, const ProgrammeQuery& query) {
  ProgrammeMatcher matcher;
  QueryProblem problem;
  if (!matcher.compile(query, problem)) return {};
  return findMatches(listing, matcher);
}
