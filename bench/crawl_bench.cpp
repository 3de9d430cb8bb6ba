// A week's crawl (42 slots) from the demo guide service on loopback, into a
// fresh cache each time: download, conversion and table files together.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "job/silent_progress.h"
#include "tools/demo_guide/demo_guide_server.h"

namespace {

// Counts the bytes, for the throughput figure.
class CountingProgress : public SilentProgress {
 public:
  bool addBytes(int n) override {
    bytes += n;
    return true;
  }
  long long bytes = 0;
};

void BM_CrawlWeekFromDemoGuide(benchmark::State& state) {
  DemoGuideServer server{DemoGuideOptions()};
  server.start();
  SettingsStore settings;
  settings.section("_config")["server"] = "127.0.0.1";
  settings.section("_config")["port"] = std::to_string(server.port());
  settings.setDeleteHtml(true);
  GuideCache cache{settings};
  CountingProgress progress;
  // A fresh, empty cache folder for every crawl, named apart from other runs.
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("rokuban-crawl-bench-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  settings.section("_config")["directory"] = folder.string();
  std::error_code ignored;
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove_all(folder, ignored);
    state.ResumeTiming();
    if (cache.crawl(currentDateTime(), 6, progress) != 42) state.SkipWithError("crawl failed");
  }
  std::filesystem::remove_all(folder, ignored);
  state.SetBytesProcessed(progress.bytes);
  state.counters["slots"] = benchmark::Counter(42.0 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CrawlWeekFromDemoGuide)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
