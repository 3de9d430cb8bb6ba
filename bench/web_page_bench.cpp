// The guide service's page of one day of the demo guide's crawled week:
// the whole answer to GET / (reading the day from the table files and
// writing the page), and the writing alone. The page must take under 20 ms
// and stay under 300 KB (counter page_kb).
#include <benchmark/benchmark.h>

#include "bench/bench_folder.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "tools/demo_guide/demo_guide_server.h"
#include "ui/silent_progress.h"
#include "webguide/day_page.h"
#include "webguide/web_pages.h"

namespace {

struct CrawledWeek {
  CrawledWeek() : server(DemoGuideOptions()) {
    server.start();
    settings.section("_config")["server"] = "127.0.0.1";
    settings.section("_config")["port"] = std::to_string(server.port());
    settings.section("_config")["directory"] = folder.file("cache");
    settings.setDeleteHtml(true);
    SilentProgress progress;
    crawled = guideCache(settings).crawl(now, 6, progress) == 42;
  }
  BenchFolder folder{"rokuban-web-bench-"};
  DemoGuideServer server;
  SettingsStore settings;
  DateTime now = currentDateTime();
  bool crawled = false;
};

CrawledWeek& week() {
  static CrawledWeek crawled;
  return crawled;
}

void BM_DayPageAnswer(benchmark::State& state) {
  CrawledWeek& crawled = week();
  if (!crawled.crawled) state.SkipWithError("crawl failed");
  WebPages pages(crawled.settings, [&] { return crawled.now; });
  WebRequest request;
  request.path = "/";
  std::size_t bytes = 0;
  for (auto _ : state) bytes = pages.day(request).body.size();
  state.counters["page_kb"] = static_cast<double>(bytes) / 1024.0;
}

void BM_DayPageWriting(benchmark::State& state) {
  CrawledWeek& crawled = week();
  if (!crawled.crawled) state.SkipWithError("crawl failed");
  const PageClock clock = pageClockAt(crawled.now);
  ListingRange range;
  range.from = clock.today;
  range.days = 1;
  const Listing day = collectListing(guideCache(crawled.settings), range);
  std::size_t bytes = 0;
  for (auto _ : state) bytes = dayPage(day, clock.today, clock).size();
  state.counters["page_kb"] = static_cast<double>(bytes) / 1024.0;
  state.counters["programmes"] = static_cast<double>(day.programmes.size());
}

BENCHMARK(BM_DayPageAnswer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayPageWriting)->Unit(benchmark::kMillisecond);

}  // namespace
