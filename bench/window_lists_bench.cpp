// The main window at a household's size: a day of 200 channels loaded from
// its six table files into the window's reused day table, and the lists the
// window fills from it (time, channel and genre views).
#include <benchmark/benchmark.h>

#include "bench/bench_folder.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "programme/guide_page.h"
#include "programme/programme_table.h"
#include "ui/model/programme_view.h"

namespace {

const CalendarDate kDay = {2026, 12, 10, 4};
constexpr int kChannels = 200;
const int kLengths[] = {5, 15, 30, 30, 45, 54, 60, 60, 90, 114};
const int kColours[] = {0xCCFFCC, 0xFFCCCC, 0xCCCCFF, 0xFFFFCC, 0xFFFFFF};

// One four-hour slot of every channel, programmes of varied lengths with a
// two-line description each.
void fillSlot(int hour, ProgrammeTable& table) {
  GuidePage page(hour);
  for (int channel = 0; channel < kChannels; ++channel) {
    page.addChannel("\x82\x61\x82\x72" + std::to_string(channel + 1));  // ＢＳ
    for (int start = 0, n = channel; start < 240; ++n) {
      PageProgramme programme;
      programme.channel = channel;
      programme.start = start;
      programme.length = kLengths[n % 10];
      programme.title = "\x8e\x52\x8d\xe8\x89\xc6\x82\xcc\x90\x6c\x81\x58 #" + std::to_string(n);  // 山崎家の人々
      programme.detail = "\x8f\x6f\x89\x89\x81\x46\x8e\x52\x8d\xe8\x91\xbe\x98\x59\n\x91\xe6" + std::to_string(n);
      programme.colour = kColours[n % 5];
      page.addProgramme(programme);
      start += programme.length;
    }
  }
  page.buildTable(table);
  table.setTableKey(slotKey(kDay, hour));
}

class HouseholdDay {
 public:
  HouseholdDay() : folder_("rokuban-window-bench-") {
    settings_.setString("_config", "directory", folder_.file(""));
    cache_.setSettings(settings_);
    for (int hour : kSlotHours) {
      ProgrammeTable slot;
      fillSlot(hour, slot);
      cache_.saveTableFile(slot.tableKey(), slot);
    }
  }
  GuideCache& cache() { return cache_; }

 private:
  BenchFolder folder_;
  SettingsStore settings_;
  GuideCache cache_;
};

// What the window does on a new day: load it, then list the hour.
void BM_HouseholdLoadDayAndList(benchmark::State& state) {
  HouseholdDay files;
  ProgrammeTable day;
  ViewState view;
  view.mode = kTimeView;
  view.hour = 21;
  view.key = 21;
  std::size_t rows = 0;
  for (auto _ : state) {
    day.setTableKey(-1);
    files.cache().loadDay(kDay, day);
    rows = listProgrammes(day, view).items.size();
  }
  state.counters["cells"] = static_cast<double>(day.cellCount());
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_HouseholdLoadDayAndList)->Unit(benchmark::kMillisecond);

// Refilling the list of a loaded day in each view.
void BM_HouseholdRefillLists(benchmark::State& state) {
  HouseholdDay files;
  ProgrammeTable day;
  files.cache().loadDay(kDay, day);
  const ViewMode modes[] = {kTimeView, kChannelView, kGenreView};
  const int keys[] = {21, kChannels / 2, 0xCCFFCC};
  ViewState view;
  view.hour = 21;
  view.mode = modes[state.range(0)];
  view.key = keys[state.range(0)];
  std::size_t rows = 0;
  for (auto _ : state) rows = listProgrammes(day, view).items.size();
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_HouseholdRefillLists)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
