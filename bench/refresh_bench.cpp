// A refresh of today's and tomorrow's 12 slots from the demo guide service,
// every one answered 304 Not Modified: what a refresh costs when nothing
// changed. The counters show the round trips and the pages received (each
// received page is read by the page reader; a 304 brings none).
#include <benchmark/benchmark.h>

#include "bench/bench_folder.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "job/silent_progress.h"
#include "net/clock.h"
#include "os/os.h"
#include "tests/support/fake_clock.h"
#include "tools/demo_guide/demo_guide_server.h"

namespace {

// Counts the page transfers that began and their bytes.
class CountingProgress : public SilentProgress {
 public:
  bool setByteTotal(int) override {
    ++pages;
    return true;
  }
  bool addBytes(int n) override {
    bytes += n;
    return true;
  }
  long long pages = 0, bytes = 0;
};

// Makes every near table five hours old, so that the refresh asks again.
void ageNearTables(GuideCache& cache, const DateTime& now, std::int64_t clockNow) {
  for (int day = 0; day < 2; ++day) {
    for (int hour : kSlotHours) {
      const int key = slotKey(dateFromDayNumber(broadcastDayNumber(now) + day), hour);
      os::setFileModifiedTime(cache.tableFileName(key), clockNow - 5 * 3600);
    }
  }
}

void BM_RefreshTwelveUnchangedSlots(benchmark::State& state) {
  DemoGuideServer server{DemoGuideOptions()};
  if (!server.start()) return state.SkipWithError("no demo guide");
  BenchFolder folder{"rokuban-refresh-bench-"};
  SettingsStore settings;
  settings.section("_config")["server"] = "127.0.0.1";
  settings.section("_config")["port"] = std::to_string(server.port());
  settings.section("_config")["directory"] = folder.file("cache");
  settings.setDeleteHtml(true);
  GuideCache cache{settings};
  FakeClock clock;
  clock.now = os::currentUnixTime();
  cache.setClock(&clock);
  const DateTime now = currentDateTime();
  SilentProgress quiet;
  if (cache.crawl(now, 1, quiet) != 12) state.SkipWithError("crawl failed");
  // The first refresh of a crawled slot learns its entity tag.
  ageNearTables(cache, now, clock.now);
  if (cache.refreshNearSlots(now, 3, quiet) != 0) state.SkipWithError("refresh failed");
  CountingProgress progress;
  long long roundTrips = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ageNearTables(cache, now, clock.now);
    const int before = server.requestCount();
    state.ResumeTiming();
    if (cache.refreshNearSlots(now, 3, progress) != 0) state.SkipWithError("refresh failed");
    state.PauseTiming();
    roundTrips += server.requestCount() - before;
    state.ResumeTiming();
  }
  cache.setClock(nullptr);
  const double refreshes = static_cast<double>(state.iterations());
  state.counters["round_trips"] = static_cast<double>(roundTrips) / refreshes;
  state.counters["pages_read"] = static_cast<double>(progress.pages) / refreshes;
  state.counters["page_bytes"] = static_cast<double>(progress.bytes) / refreshes;
}
BENCHMARK(BM_RefreshTwelveUnchangedSlots)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
