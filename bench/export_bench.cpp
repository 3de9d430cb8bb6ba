// Exporting the demo guide's crawled week (7 broadcast days) from the table
// files: loading the days, building the records, writing XMLTV or JSON.
#include <benchmark/benchmark.h>

#include "bench/bench_folder.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "listing/json_writer.h"
#include "listing/listing.h"
#include "listing/xmltv_writer.h"
#include "tools/demo_guide/demo_guide_server.h"
#include "ui/silent_progress.h"

namespace {

// One crawled week shared by the benchmarks.
struct CrawledWeek {
  CrawledWeek() : server(DemoGuideOptions()) {
    server.start();
    settings.section("_config")["server"] = "127.0.0.1";
    settings.section("_config")["port"] = std::to_string(server.port());
    settings.section("_config")["directory"] = folder.file("cache");
    settings.setDeleteHtml(true);
    SilentProgress progress;
    const DateTime now = currentDateTime();
    crawled = guideCache(settings).crawl(now, 6, progress) == 42;
    range = defaultListingRange(now);
  }
  BenchFolder folder{"rokuban-export-bench-"};
  DemoGuideServer server;
  SettingsStore settings;
  ListingRange range;
  bool crawled = false;
};

CrawledWeek& week() {
  static CrawledWeek crawled;
  return crawled;
}

template <std::string (*Write)(const Listing&)>
void exportWeek(benchmark::State& state) {
  CrawledWeek& crawled = week();
  if (!crawled.crawled) state.SkipWithError("crawl failed");
  std::size_t bytes = 0, programmes = 0;
  for (auto _ : state) {
    const Listing listing = collectListing(guideCache(crawled.settings), crawled.range);
    const std::string document = Write(listing);
    bytes += document.size();
    programmes += listing.programmes.size();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
  state.counters["programmes"] = static_cast<double>(programmes) / static_cast<double>(state.iterations());
}

void BM_ExportWeekXmltv(benchmark::State& state) { exportWeek<xmltvDocument>(state); }
void BM_ExportWeekJson(benchmark::State& state) { exportWeek<programmesJson>(state); }
BENCHMARK(BM_ExportWeekXmltv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportWeekJson)->Unit(benchmark::kMillisecond);

}  // namespace
