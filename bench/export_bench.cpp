// Exporting the demo guide's crawled week (7 broadcast days) from the table
// files: loading the days, building the records, writing XMLTV or JSON.
#include <benchmark/benchmark.h>

#include "bench/crawled_week.h"
#include "listing/json_writer.h"
#include "listing/listing.h"
#include "listing/xmltv_writer.h"

namespace {

CrawledWeek& week() {
  static CrawledWeek crawled("rokuban-export-bench-");
  return crawled;
}

template <std::string (*Write)(const Listing&)>
void exportWeek(benchmark::State& state) {
  CrawledWeek& crawled = week();
  if (!crawled.crawled) state.SkipWithError("crawl failed");
  std::size_t bytes = 0, programmes = 0;
  for (auto _ : state) {
    const Listing listing = collectListing(crawled.cache, defaultListingRange(crawled.now));
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
