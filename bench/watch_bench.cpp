// Comparing a week of 40 channels before and after a refresh (a programme
// every 30 minutes, series titles with episode numbers), about one in
// twenty watched: each run reads the watched and the new programmes'
// episodes and finds the moves, extensions, cancellations and new episodes.
#include <benchmark/benchmark.h>

#include <string>

#include "listing/listing.h"
#include "os/text.h"
#include "search/watch_changes.h"

namespace {

constexpr int kChannels = 40;
constexpr int kDays = 7;
constexpr int kProgrammeMinutes = 30;

const char* const kSeries[] = {
    "アニメ 魔法少女ルル", "連続ドラマ「海の声」", "ニュース７", "世界の車窓から",
    "大河ドラマ 北の海", "きょうの料理", "クイズ ＴＯＫＹＯ", "土曜ドラマ 坂の上",
};

ProgrammeRecord recordAt(int channel, int day, int slot) {
  ProgrammeRecord record;
  record.channel = os::utf8ToCp932("チャンネル") + std::to_string(channel + 1);
  record.channelId = "ch" + std::to_string(channel) + ".tokyo.jp";
  record.start = listingMinute(dayNumber(2026, 12, 7) + day, 5 * 60 + slot * kProgrammeMinutes);
  record.stop = record.start + kProgrammeMinutes;
  const int series = (slot + channel) % 8;
  record.title = os::utf8ToCp932(std::string(kSeries[series]) + " #" + std::to_string(day * 48 + slot + 1) +
                                 (slot % 3 ? "" : "「新しい旅」") + (series % 2 ? "[字]" : "[再]"));
  record.description = os::utf8ToCp932("出演者 山田太郎 ほか。今週のテーマは冬の旅。（字幕放送）");
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
  for (int channel = 0; channel < kChannels; ++channel) {
    for (int day = 0; day <= kDays; ++day) {
      for (int slot = 0; slot < 48; ++slot) {
        ProgrammeRecord record = recordAt(channel, day, slot);
        if (day < kDays) refresh.before.programmes.push_back(record);
        if (day == 0) continue;
        if (day == 3 && slot == 10) record.start += 15, record.stop += 15;  // moved
        if (day == 3 && slot == 11) record.start += 15;                     // shortened behind it
        if (day == 3 && slot == 20) record.stop += kProgrammeMinutes;       // extended
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
