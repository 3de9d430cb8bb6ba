// The query options `search` and `watch add` share, and their reading.
#pragma once

#include <string>
#include <vector>

#include "cli/cli.h"
#include "search/programme_matcher.h"

// The options the query reads itself (search/programme_query.h), for the
// tables of the verbs that take a query.
std::vector<CliOption> queryOptions();

// What a query is read for: a watch entry takes --reserve, --new and
// --once besides.
enum class QueryUse { Search, WatchEntry };

// Reads the remaining arguments as a query and compiles it into `matcher`
// (and `query` when not null). False, after printing the problem and the
// verb's usage, on a bad or empty query.
bool compileQueryArguments(const char* verbName, const std::vector<std::string>& args, ProgrammeMatcher& matcher,
                           ProgrammeQuery* query, QueryUse use);
