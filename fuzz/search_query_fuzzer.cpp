// Fuzzes the query readers: a watch entry as the settings file holds it, and
// the web page's query parameters. A query that reads must write back to a
// line that reads to the same query; one that compiles must judge a
// programme without harm. Also the watch list's other readers of outside
// bytes: a title's episode, and a line of the remembered changes, which
// must write back to what it read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/settings_store.h"
#include "listing/programme_record.h"
#include "search/programme_matcher.h"
#include "search/programme_query.h"
#include "watch/episode_reading.h"
#include "watch/watch_change_memory.h"
#include "webguide/query_parameters.h"

namespace {

void checkChangeLine(const std::string& text) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos) return;
  SettingsStore settings;
  settings.section(kChangesSection)[text.substr(0, equals)] = text.substr(equals + 1);
  const std::vector<RememberedChange> read = rememberedChanges(settings);
  icsHistoryOf(read, Listing());
  rememberChanges(settings, {}, 0);
  const std::vector<RememberedChange> again = rememberedChanges(settings);
  if (again.size() != read.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  readEpisode(text, text);
  checkChangeLine(text);
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
  record.start = guideMinute(20000, 23 * 60 + 30);
  record.stop = record.start + 60;
  matcher.matches(record);
  return 0;
}
