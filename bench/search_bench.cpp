// Searching a full week of 40 channels (a programme every 40 minutes,
// Japanese titles and descriptions): the matcher's cost per search, the
// text folding included. Then hostile regular expressions over the demo
// guide's crawled week with one 64 KB description added: every one must
// answer within 100 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/crawled_week.h"
#include "listing/listing.h"
#include "os/text.h"
#include "search/programme_matcher.h"
#include "search/search_text.h"
#include "webguide/page_frame.h"

namespace {

constexpr int kChannels = 40;
constexpr int kDays = 7;
constexpr int kProgrammeMinutes = 40;

const char* const kTitles[] = {
    "ニュース７", "ＮＨＫスペシャル 深海の巨大生物", "ｱﾆﾒ 魔法少女ｶﾞｰﾙｽﾞ", "世界の車窓から",
    "映画 Ｓｕｍｍｅｒ Ｄａｙｓ", "大相撲 九州場所", "きょうの料理", "クイズ ＴＯＫＹＯ",
};

Listing syntheticWeek() {
  Listing listing;
  const int first = dayNumber(2026, 12, 7);
  for (int channel = 0; channel < kChannels; ++channel) {
    const std::string name = os::utf8ToCp932("チャンネル") + std::to_string(channel + 1);
    listing.channels.push_back({name, "ch" + std::to_string(channel) + ".tokyo.jp"});
    for (int minute = 5 * 60; minute < (kDays * 24 + 5) * 60; minute += kProgrammeMinutes) {
      ProgrammeRecord record;
      record.channel = name;
      record.channelId = listing.channels.back().id;
      record.start = guideMinute(first, minute);
      record.stop = record.start + kProgrammeMinutes;
      record.title = os::utf8ToCp932(kTitles[(minute / kProgrammeMinutes + channel) % 8]);
      record.description = os::utf8ToCp932(
          "出演者 山田太郎 ほか。今週のテーマは冬の旅。全国各地の話題をお伝えします。（字幕放送）");
      record.genre = channel % 5;
      listing.programmes.push_back(record);
    }
  }
  return listing;
}

// The demo week, with a programme whose description is 64 KB of text a
// pattern can keep busy: letters, kana and line ends.
Listing hostileWeek() {
  CrawledWeek crawled("rokuban-search-bench-");
  ListingRange range;
  range.from = pageClockAt(crawled.now).today;
  range.days = 7;
  Listing listing = crawled.crawled ? collectListing(crawled.cache, range) : Listing();
  if (listing.programmes.empty()) return listing;
  ProgrammeRecord longest = listing.programmes.front();
  longest.description.clear();
  while (longest.description.size() < 64 * 1024)
    longest.description += os::utf8ToCp932("abab aaaa\nあいうえお、ＡＢＣ１２３ ");
  listing.programmes.push_back(longest);
  return listing;
}

void searchListing(benchmark::State& state, const Listing& week, const char* queryUtf8) {
  ProgrammeQuery query;
  QueryProblem problem;
  if (!parseQueryText(os::utf8ToCp932(queryUtf8), query, problem)) state.SkipWithError(englishText(problem).c_str());
  std::size_t found = 0;
  for (auto _ : state) found += findMatches(week, query).size();
  state.counters["programmes"] = static_cast<double>(week.programmes.size());
  state.counters["matches"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void searchWeek(benchmark::State& state, const char* queryUtf8) {
  static const Listing week = syntheticWeek();
  searchListing(state, week, queryUtf8);
}

void searchHostile(benchmark::State& state, const char* queryUtf8) {
  static const Listing week = hostileWeek();
  if (week.programmes.empty()) state.SkipWithError("crawl failed");
  QueryProblem problem;
  ProgrammeQuery query;
  ProgrammeMatcher matcher;
  if (!parseQueryText(os::utf8ToCp932(queryUtf8), query, problem) || !matcher.compile(query, problem))
    state.SkipWithError(englishText(problem).c_str());
  state.counters["query_bytes"] = static_cast<double>(std::string(queryUtf8).size());
  double textBytes = 0;
  for (const ProgrammeRecord& record : week.programmes)
    textBytes += static_cast<double>(std::min(kMaxSearchedText, searchFormOfCp932(record.title + "\n" + record.description).size()));
  state.counters["text_kb"] = textBytes / 1024;
  searchListing(state, week, queryUtf8);
}

void BM_SearchWeekWords(benchmark::State& state) { searchWeek(state, "魔法 ガールズ -再放送"); }
void BM_SearchWeekChannelAndWindow(benchmark::State& state) {
  searchWeek(state, "--channel チャンネル3 --time 23:00-02:00 ニュース");
}
void BM_SearchWeekRegex(benchmark::State& state) { searchWeek(state, "--regex \"summer\\s+days|深海\""); }
BENCHMARK(BM_SearchWeekWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchWeekChannelAndWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchWeekRegex)->Unit(benchmark::kMillisecond);

// What once crashed or never finished, and the worst queries found since.
const char* const kHostileQueries[] = {
    "--regex (.|\\n)*c",
    "--regex (a|b)*c",
    "--regex (.|.)*@",
    "--regex (a*)*(b*)*$",
    // The worst found: every instruction of the largest program a query may
    // have waiting at every byte.
    "--regex (.?){79}$",
    "--regex .{158}$",
    "--regex (.?){39}$ (.?){39}$",
    "--regex (.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.|.)*$",
    "--regex \\s(\\w+\\s){0,12}ab$",
    "--regex ((\\b|\\B).?){26}$",
};
void BM_SearchHostile(benchmark::State& state) { searchHostile(state, kHostileQueries[state.range(0)]); }
BENCHMARK(BM_SearchHostile)->DenseRange(0, sizeof kHostileQueries / sizeof *kHostileQueries - 1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
