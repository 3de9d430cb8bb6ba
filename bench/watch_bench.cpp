// Comparing a week of 40 channels before and after a refresh (a programme
// every 30 minutes, series titles with episode numbers), about one in
// twenty watched: each run reads the watched and the new programmes'
// episodes and finds the moves, extensions, cancellations and new episodes.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/series_week.h"
#include "listing/listing.h"
#include "os/text.h"
#include "watch/watch_changes.h"

namespace {

ProgrammeRecord recordAt(int channel, int day, int slot) {
  ProgrammeRecord record = seriesSlot(channel, day, slot);
  const int series = seriesAt(channel, slot);
  record.title = os::utf8ToCp932(std::string(kSeries[series]) + " #" + std::to_string(day * kSeriesSlots + slot + 1) +
                                 (slot % 3 ? "" : "「新しい旅」") + (series % 2 ? "[字]" : "[再]"));
  return record;
}

// The old week: days 0-6. The new one: days 1-7 (a day fetched, a day
// gone), and on every channel of day 3 a programme moved, one extended
// into its neighbour's slot and one replaced.
struct Refresh {
  Listing before, after;
  std::vector<ProgrammeRecord> watched;
};

Refresh refreshedWeek() {
  Refresh refresh;
  for (int channel = 0; channel < kSeriesChannels; ++channel) {
    for (int day = 0; day <= kSeriesDays; ++day) {
      for (int slot = 0; slot < kSeriesSlots; ++slot) {
        ProgrammeRecord record = recordAt(channel, day, slot);
        if (day < kSeriesDays) refresh.before.programmes.push_back(record);
        if (day == 0) continue;
        if (day == 3 && slot == 10) record.start += 15, record.stop += 15;  // moved
        if (day == 3 && slot == 11) record.start += 15;                     // shortened behind it
        if (day == 3 && slot == 20) record.stop += kSeriesMinutes;       // extended
        if (day == 3 && slot == 21) continue;                               // swallowed by it
        if (day == 3 && slot == 30) record.title = os::utf8ToCp932("臨時ニュース");
        refresh.after.programmes.push_back(record);
      }
    }
  }
  // One in twenty, and the first channel's day of changes.
  for (std::size_t at = 0; at < refresh.before.programmes.size(); ++at) {
    const ProgrammeRecord& record = refresh.before.programmes[at];
    if (at % 20 == 0 || (broadcastDayOf(record.start) == dayNumber(2026, 12, 10) && record.channelId == "ch0.tokyo.jp"))
      refresh.watched.push_back(record);
  }
  return refresh;
}

void BM_WatchChangesWeek(benchmark::State& state) {
  static const Refresh refresh = refreshedWeek();
  std::size_t changes = 0;
  for (auto _ : state) changes = watchChanges(refresh.before, refresh.after, refresh.watched).size();
  state.counters["programmes"] = static_cast<double>(refresh.after.programmes.size());
  state.counters["watched"] = static_cast<double>(refresh.watched.size());
  state.counters["changes"] = static_cast<double>(changes);
}
BENCHMARK(BM_WatchChangesWeek)->Unit(benchmark::kMillisecond);

}  // namespace
