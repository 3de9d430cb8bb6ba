// Searching a full week of 40 channels (a programme every 40 minutes,
// Japanese titles and descriptions): the matcher's cost per search, the
// text folding included.
#include <benchmark/benchmark.h>

#include <string>

#include "os/text.h"
#include "search/programme_matcher.h"

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
      record.start = listingMinute(first, minute);
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

void searchWeek(benchmark::State& state, const char* queryUtf8) {
  static const Listing week = syntheticWeek();
  ProgrammeQuery query;
  QueryProblem problem;
  if (!parseQueryText(os::utf8ToCp932(queryUtf8), query, problem)) state.SkipWithError(englishText(problem).c_str());
  std::size_t found = 0;
  for (auto _ : state) found += findMatches(week, query).size();
  state.counters["programmes"] = static_cast<double>(week.programmes.size());
  state.counters["matches"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void BM_SearchWeekWords(benchmark::State& state) { searchWeek(state, "魔法 ガールズ -再放送"); }
void BM_SearchWeekChannelAndWindow(benchmark::State& state) {
  searchWeek(state, "--channel チャンネル3 --time 23:00-02:00 ニュース");
}
void BM_SearchWeekRegex(benchmark::State& state) { searchWeek(state, "--regex \"summer\\s+days|深海\""); }
BENCHMARK(BM_SearchWeekWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchWeekChannelAndWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchWeekRegex)->Unit(benchmark::kMillisecond);

}  // namespace
