// The guide service's page of one day of the demo guide's crawled week:
// the whole answer to GET / (reading the day from the table files and
// writing the page), and the writing alone. The page must take under 20 ms
// and stay under 300 KB (counter page_kb).
#include <benchmark/benchmark.h>

#include "bench/crawled_week.h"
#include "webguide/day_page.h"
#include "webguide/web_pages.h"

namespace {

CrawledWeek& week() {
  static CrawledWeek crawled("rokuban-web-bench-");
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
  const Listing day = collectListing(crawled.cache, range);
  std::size_t bytes = 0;
  const PageTexts& texts = pageTexts(PageLanguage::kJapanese);
  for (auto _ : state) bytes = dayPage(day, clock.today, clock, texts).size();
  state.counters["page_kb"] = static_cast<double>(bytes) / 1024.0;
  state.counters["programmes"] = static_cast<double>(day.programmes.size());
}

BENCHMARK(BM_DayPageAnswer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayPageWriting)->Unit(benchmark::kMillisecond);

}  // namespace
