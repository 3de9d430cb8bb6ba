// The search dialog's query.
#include "ui/model/search_form.h"

#include "programme/genre_table.h"
#include "programme/programme_table.h"
#include "search/programme_matcher.h"

namespace {
const char kAny[] = "\x82\xb7\x82\xd7\x82\xc4";  // "すべて"
}  // namespace

std::vector<std::string> searchChannelChoices(const ProgrammeTable& day) {
  std::vector<std::string> choices{kAny};
  for (std::size_t column = 1; column < day.columnCount(); ++column) {
    const ProgrammeCell* header = day.cellAt(column, 0);
    if (header) choices.push_back(header->body);
  }
  return choices;
}

std::vector<std::string> searchGenreChoices() {
  std::vector<std::string> choices{kAny};
  for (int i = 0; i < kGenreRowCount; ++i) choices.push_back(kGenreTable[i].name);
  return choices;
}

bool searchFormQuery(const std::string& words, const std::vector<std::string>& channelChoices, int channel,
                     int genre, ProgrammeQuery& query, std::string& problem) {
  std::vector<std::string> tokens;
  if (!splitQueryText(words, tokens)) {
    problem = japaneseText(QueryProblem{QueryProblem::kUnclosedQuote, std::string()});
    return false;
  }
  if (channel > 0 && channel < static_cast<int>(channelChoices.size()))
    tokens.insert(tokens.end(), {"--channel", channelChoices[static_cast<std::size_t>(channel)]});
  if (genre > 0 && genre <= kGenreRowCount) tokens.insert(tokens.end(), {"--genre", kGenreTable[genre - 1].name});
  query = ProgrammeQuery{};
  QueryProblem refused;
  ProgrammeMatcher matcher;
  if (parseQueryArguments(tokens, query, refused) && matcher.compile(query, refused)) return true;
  problem = japaneseText(refused);
  return false;
}
