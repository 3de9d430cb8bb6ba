// Reading and writing queries.
#include "search/programme_query.h"

#include <algorithm>
#include <cstdio>

#include "calendar/calendar.h"
#include "listing/genre_names.h"
#include "os/os.h"
#include "programme/genre_table.h"
#include "search/search_text.h"

namespace {

const char kIdeographicSpace[] = "\x81\x40";
const char kWeekdaySuffix[] = "\x97\x6a";  // 曜
const char* const kEnglishDays[7] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};

bool isBlank(const std::string& text, std::size_t at) {
  return text[at] == ' ' || text[at] == '\t' || text.compare(at, 2, kIdeographicSpace) == 0;
}

// Bytes of the character at `at`: two for a Shift-JIS lead byte.
// A lead byte makes a pair only with a byte that can follow it, so that a
// stray one never swallows the blank or quote after it.
std::size_t characterLength(const std::string& text, std::size_t at) {
  if (!os::isLeadByte(static_cast<unsigned char>(text[at])) || at + 1 >= text.size()) return 1;
  const unsigned char next = static_cast<unsigned char>(text[at + 1]);
  return (next >= 0x40 && next <= 0x7e) || (next >= 0x80 && next <= 0xfc) ? 2 : 1;
}

bool readHourMinute(const std::string& text, int& minutes) {
  int hour, minute;
  char end;
  if (std::sscanf(text.c_str(), "%2d:%2d%c", &hour, &minute, &end) != 2) return false;
  if (hour < 0 || hour > 28 || minute < 0 || minute > 59 || text.find_first_of("+- ") != std::string::npos)
    return false;
  minutes = (hour * 60 + minute) % (24 * 60);
  return true;
}

int kanjiWeekday(const std::string& text, std::size_t at) {
  for (int day = 0; day < 7; ++day) {
    if (text.compare(at, 2, weekdayKanji(day)) == 0) return day;
  }
  return -1;
}

bool parseEnglishWeekdays(const std::string& text, unsigned& bits) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    std::string part = searchForm(text.substr(start, comma - start));
    auto day = std::find_if(std::begin(kEnglishDays), std::end(kEnglishDays),
                            [&](const char* name) { return part.size() >= 3 && part.compare(0, 3, name) == 0; });
    if (day == std::end(kEnglishDays)) return false;
    bits |= 1u << (day - std::begin(kEnglishDays));
    start = comma + 1;
  }
  return true;
}

std::string quoted(const std::string& token) {
  const bool plain = !token.empty() && token.find_first_of(" \t\"") == std::string::npos &&
                     token.find(kIdeographicSpace) == std::string::npos;
  if (plain) return token;
  std::string out = "\"";
  for (char c : token) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

bool takeValue(const std::vector<std::string>& tokens, std::size_t& i, const std::string& name,
               std::string& value, QueryProblem& problem) {
  const std::size_t equals = tokens[i].find('=');
  if (equals != std::string::npos) {
    value = tokens[i].substr(equals + 1);
  } else if (i + 1 < tokens.size()) {
    value = tokens[++i];
  } else {
    problem = {QueryProblem::kNeedsValue, name};
    return false;
  }
  if (!value.empty()) return true;
  problem = {QueryProblem::kNeedsValue, name};
  return false;
}

bool readOption(const std::vector<std::string>& tokens, std::size_t& i, ProgrammeQuery& query,
                QueryProblem& problem, bool allowReserve) {
  const std::string name = tokens[i].substr(0, tokens[i].find('='));
  const bool hasValue = name.size() != tokens[i].size();
  if (name == "--regex" && !hasValue) return query.regex = true;
  bool* watchFlag = name == "--reserve" ? &query.reserve
                    : name == "--new"   ? &query.newOnly
                    : name == "--once"  ? &query.once
                                        : nullptr;
  if (watchFlag && allowReserve && !hasValue) return *watchFlag = true;
  std::string value;
  if (name == "--channel") {
    if (!takeValue(tokens, i, name, value, problem)) return false;
    query.channels.push_back(value);
  } else if (name == "--genre") {
    if (!takeValue(tokens, i, name, value, problem)) return false;
    const std::vector<int> genres = genresNamed(value);
    if (genres.empty()) {
      problem = {QueryProblem::kNoSuchGenre, value};
      return false;
    }
    for (int genre : genres)
      if (std::find(query.genres.begin(), query.genres.end(), genre) == query.genres.end())
        query.genres.push_back(genre);
  } else if (name == "--time") {
    if (!takeValue(tokens, i, name, value, problem)) return false;
    if (!parseTimeWindow(value, query.windowFrom, query.windowTo)) {
      problem = {QueryProblem::kNotATimeWindow, value};
      return false;
    }
  } else if (name == "--weekday") {
    if (!takeValue(tokens, i, name, value, problem)) return false;
    if (!parseWeekdays(value, query.weekdays)) {
      problem = {QueryProblem::kNotWeekdays, value};
      return false;
    }
  } else {
    problem = {QueryProblem::kUnknownOption, tokens[i]};
    return false;
  }
  return true;
}

}  // namespace

bool isEmptyQuery(const ProgrammeQuery& query) {
  return query.words.empty() && query.excluded.empty() && query.channels.empty() && query.genres.empty() &&
         query.windowFrom < 0 && query.weekdays == 0;
}

bool parseQueryArguments(const std::vector<std::string>& tokens, ProgrammeQuery& query, QueryProblem& problem,
                         bool allowReserve) {
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const std::string& token = tokens[i];
    if (token.compare(0, 2, "--") == 0) {
      if (!readOption(tokens, i, query, problem, allowReserve)) return false;
    } else if (token.size() > 1 && token[0] == '-') {
      query.excluded.push_back(token.substr(1));
    } else if (!token.empty() && token != "-") {
      query.words.push_back(token);
    }
  }
  if (!isEmptyQuery(query)) return true;
  problem = {QueryProblem::kEmpty, std::string()};
  return false;
}

bool splitQueryText(const std::string& text, std::vector<std::string>& tokens) {
  std::size_t at = 0;
  while (at < text.size()) {
    if (isBlank(text, at)) {
      at += characterLength(text, at);
      continue;
    }
    std::string token;
    while (at < text.size() && !isBlank(text, at)) {
      if (text[at] != '"') {
        const std::size_t length = characterLength(text, at);
        token.append(text, at, length);
        at += length;
        continue;
      }
      // A quoted stretch, a doubled quote inside it standing for one.
      for (++at;; at += characterLength(text, at)) {
        if (at >= text.size()) return false;
        if (text[at] == '"' && text.compare(at, 2, "\"\"") != 0) break;
        if (text[at] == '"') ++at;
        token.append(text, at, characterLength(text, at));
      }
      ++at;
    }
    tokens.push_back(token);
  }
  return true;
}

bool parseQueryText(const std::string& text, ProgrammeQuery& query, QueryProblem& problem) {
  std::vector<std::string> tokens;
  if (!splitQueryText(text, tokens)) {
    problem = {QueryProblem::kUnclosedQuote, std::string()};
    return false;
  }
  return parseQueryArguments(tokens, query, problem, true);
}

std::string queryText(const ProgrammeQuery& query) {
  std::vector<std::string> tokens;
  if (query.reserve) tokens.push_back("--reserve");
  if (query.newOnly) tokens.push_back("--new");
  if (query.once) tokens.push_back("--once");
  for (const std::string& channel : query.channels) tokens.push_back("--channel " + quoted(channel));
  for (int genre : query.genres) tokens.push_back(std::string("--genre ") + genreNameJapanese(genre));
  if (query.windowFrom >= 0) tokens.push_back("--time " + timeWindowText(query.windowFrom, query.windowTo));
  if (query.weekdays != 0) {
    std::string days;
    for (int day = 0; day < 7; ++day)
      if (query.weekdays & (1u << day)) days += weekdayKanji(day);
    tokens.push_back("--weekday " + days);
  }
  if (query.regex) tokens.push_back("--regex");
  for (const std::string& word : query.words) tokens.push_back(quoted(word));
  for (const std::string& word : query.excluded) tokens.push_back("-" + quoted(word));
  std::string text;
  for (const std::string& token : tokens) text += (text.empty() ? "" : " ") + token;
  return text;
}

std::vector<int> genresNamed(const std::string& name) {
  std::vector<int> genres;
  for (const GenreRow* row : genreRowsNamed(name)) genres.push_back(row->number);
  return genres;
}

bool parseTimeWindow(const std::string& text, int& from, int& to) {
  const std::size_t dash = text.find('-');
  if (dash == std::string::npos) return false;
  int first, last;
  if (!readHourMinute(text.substr(0, dash), first) || !readHourMinute(text.substr(dash + 1), last) ||
      first == last)
    return false;
  from = first;
  to = last;
  return true;
}

bool parseWeekdays(const std::string& text, unsigned& bits) {
  if (text.empty()) return false;
  if (static_cast<unsigned char>(text[0]) < 0x80) return parseEnglishWeekdays(text, bits);
  unsigned found = 0;
  for (std::size_t at = 0; at < text.size(); at += 2) {
    if (text.compare(at, 2, kWeekdaySuffix) == 0) {
      if (kanjiWeekday(text, at + 2) == 0) at += 2;  // the 日 of 月曜日
      continue;
    }
    const int day = kanjiWeekday(text, at);
    if (day < 0) return false;
    found |= 1u << day;
  }
  bits |= found;
  return true;
}

std::string timeWindowText(int from, int to) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d-%02d:%02d", from / 60, from % 60, to / 60, to % 60);
  return text;
}
