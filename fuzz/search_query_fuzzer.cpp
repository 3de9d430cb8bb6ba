// Fuzzes the query readers: a watch entry as the settings file holds it, and
// the web page's query parameters. A query that reads must write back to a
// line that reads to the same query; one that compiles must judge a
// programme without harm.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "listing/programme_record.h"
#include "search/programme_matcher.h"
#include "search/programme_query.h"
#include "webguide/query_parameters.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string value;
  if (queryParameter(text, "q", value) == 1 && value.size() > text.size()) std::abort();

  ProgrammeQuery query;
  QueryProblem problem;
  if (!parseQueryText(text, query, problem)) return 0;
  const std::string line = queryText(query);
  ProgrammeQuery again;
  if (!parseQueryText(line, again, problem) || queryText(again) != line) std::abort();
  ProgrammeMatcher matcher;
  if (!matcher.compile(query, problem)) return 0;
  ProgrammeRecord record;
  record.channel = "\x82\x6d\x82\x67\x82\x6a";  // ＮＨＫ
  record.title = text;
  record.description = text;
  record.start = listingMinute(20000, 23 * 60 + 30);
  record.stop = record.start + 60;
  matcher.matches(record);
  return 0;
}
