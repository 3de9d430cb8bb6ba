// The query options of the search verbs.
#include "cli/search_options.h"

std::vector<CliOption> queryOptions() {
  return {{"--channel", OptionKind::Text, "only this channel (repeatable; width and case ignored)"},
          {"--genre", OptionKind::Text, "only this genre, Japanese or English (repeatable)"},
          {"--time", OptionKind::Text, "start time of day, HH:MM-HH:MM (may cross midnight)"},
          {"--weekday", OptionKind::Text, "broadcast days, e.g. 土日 or sat,sun"},
          {"--regex", OptionKind::Flag, "the words are regular expressions (ECMAScript)"}};
}

bool compileQueryArguments(const char* verbName, const std::vector<std::string>& args, ProgrammeMatcher& matcher,
                           ProgrammeQuery* query, QueryUse use) {
  ProgrammeQuery read;
  QueryProblem problem;
  const bool watchOptions = use == QueryUse::WatchEntry;
  if (!parseQueryArguments(args, read, problem, watchOptions) || !matcher.compile(read, problem)) {
    argumentError(verbName, englishText(problem));
    return false;
  }
  if (query) *query = read;
  return true;
}
