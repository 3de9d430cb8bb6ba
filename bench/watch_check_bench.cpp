// The watch list's check over a week of 40 channels (a programme every 30
// minutes, series titles with episode numbers, each series re-aired on
// other channels): five entries, once as written and once with --once or
// --new, which read every match's episode and look it up in the memory of
// seen episodes.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/series_week.h"
#include "config/settings_store.h"
#include "listing/listing.h"
#include "os/text.h"
#include "watch/watch_check.h"

namespace {

Listing week() {
  Listing listing;
  for (int channel = 0; channel < kSeriesChannels; ++channel) {
    listing.channels.push_back({seriesChannelName(channel), seriesChannelId(channel)});
    for (int day = 0; day < kSeriesDays; ++day) {
      for (int slot = 0; slot < kSeriesSlots; ++slot) {
        ProgrammeRecord record = seriesSlot(channel, day, slot);
        const int series = seriesAt(channel, slot);
        // The same episode numbers on every channel: each is aired 5 times.
        record.title = os::utf8ToCp932(std::string(kSeries[series]) + " #" + std::to_string(day * 6 + slot / 8 + 1) +
                                       (series % 2 ? "[字]" : "[再]"));
        listing.programmes.push_back(record);
      }
    }
  }
  return listing;
}

const char* const kEntries[] = {"魔法少女", "--channel チャンネル3 ドラマ", "--genre ニュース 天気", "北の海",
                                "--time 19:00-22:00 クイズ"};

void checkWeek(benchmark::State& state, const char* options) {
  static const Listing listing = week();
  SettingsStore settings;
  for (int i = 0; i < 5; ++i)
    settings.setString("watch", std::to_string(i + 1), os::utf8ToCp932(std::string(options) + kEntries[i]));
  const WatchList list = loadWatchList(settings);
  const GuideMinute now = guideMinute(dayNumber(2026, 12, 7), 4 * 60);
  // What a check before this one announced, in the memories.
  const WatchCheck before = checkWatchList(listing, list, settings, now);
  rememberAnnounced(settings, before, before.fresh, now);
  std::size_t found = 0, fresh = 0;
  for (auto _ : state) {
    const WatchCheck check = checkWatchList(listing, list, settings, now);
    found = check.current.size();
    fresh = check.fresh.size();
  }
  state.counters["programmes"] = static_cast<double>(listing.programmes.size());
  state.counters["found"] = static_cast<double>(found);
  state.counters["fresh"] = static_cast<double>(fresh);
}

void BM_WatchCheckWeek(benchmark::State& state) { checkWeek(state, ""); }
BENCHMARK(BM_WatchCheckWeek)->Unit(benchmark::kMillisecond);

void BM_WatchCheckWeekOnce(benchmark::State& state) { checkWeek(state, "--once "); }
BENCHMARK(BM_WatchCheckWeekOnce)->Unit(benchmark::kMillisecond);

void BM_WatchCheckWeekNew(benchmark::State& state) { checkWeek(state, "--new "); }
BENCHMARK(BM_WatchCheckWeekNew)->Unit(benchmark::kMillisecond);

}  // namespace
