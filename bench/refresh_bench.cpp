// A refresh of today's and tomorrow's 12 slots, every one answered 304 Not
// Modified by a loopback server: what a refresh costs when nothing changed.
// The counters show the round trips and the pages received (each received
// page is read by the page reader; a 304 brings none).
#include <benchmark/benchmark.h>

#include "bench/bench_folder.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "job/silent_progress.h"
#include "net/clock.h"
#include "net/local_file.h"
#include "os/os.h"
#include "programme/programme_table.h"
#include "tests/support/loopback_http_server.h"
#include "tools/guide_pages/sample_schedule.h"

namespace {

class FixedClock : public Clock {
 public:
  void sleepMilliseconds(int) override {}
  std::int64_t nowSeconds() override { return now; }
  std::int64_t now = os::currentUnixTime();
};

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

void BM_RefreshTwelveUnchangedSlots(benchmark::State& state) {
  LoopbackHttpServer server;
  BenchFolder folder{"rokuban-refresh-bench-"};
  SettingsStore settings;
  settings.section("_config")["server"] = "127.0.0.1";
  settings.section("_config")["port"] = std::to_string(server.port());
  settings.section("_config")["directory"] = folder.file("cache");
  settings.setDeleteHtml(true);
  GuideCache& cache = guideCache(settings);
  FixedClock clock;
  cache.setClock(&clock);
  const DateTime now = currentDateTime();
  const SampleSchedule schedule = sampleSchedule(40, 7);
  std::vector<int> keys;
  for (int day = 0; day < 2; ++day) {
    for (int hour : kSlotHours) {
      const int key = slotKey(dateFromDayNumber(broadcastDayNumber(now) + day), hour);
      LocalFile page;
      const std::string bytes = slotPage(schedule, hour).eucJp();
      page.createForWrite(cache.pageFileName(key));
      page.write(bytes.data(), static_cast<int>(bytes.size()));
      page.close();
      ProgrammeTable table;
      if (!cache.parseCachedPage(key, table)) state.SkipWithError("no table");
      keys.push_back(key);
    }
  }
  const std::string notModified = httpResponse("HTTP/1.0 304 Not Modified", {}, "");
  CountingProgress progress;
  long long roundTrips = 0;
  for (auto _ : state) {
    state.PauseTiming();
    for (int key : keys) {
      os::setFileModifiedTime(cache.tableFileName(key), clock.now - 5 * 3600);
      server.reply(notModified);
    }
    const std::size_t before = server.requests().size();
    state.ResumeTiming();
    if (cache.refreshNearSlots(now, 3, progress) != 0) state.SkipWithError("refresh failed");
    state.PauseTiming();
    roundTrips += static_cast<long long>(server.requests().size() - before);
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
