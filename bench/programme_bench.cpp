// Programme data throughput: guide pages read per second (conversion,
// tokenizing, grid and finishing), table files read per second, and a
// broadcast day assembled from its six table files.
#include <benchmark/benchmark.h>
#ifdef ROKUBAN_BENCH_GUMBO
#include <gumbo.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bytes/buffered_reader.h"
#include "bytes/local_file.h"
#include "bytes/memory_bytes.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "os/os.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"
#include "tools/guide_pages/sample_schedule.h"

namespace {

const int kChannels = 40;
const CalendarDate kDay = {2003, 12, 4, 4};

// The day every benchmark reads: 40 channels, a row a minute.
const SampleSchedule& schedule() {
  static const SampleSchedule day = sampleSchedule(kChannels, 2003);
  return day;
}

const std::string& eveningPage() {
  static const std::string page = slotPage(schedule(), 17).eucJp();
  return page;
}

std::string tableFile(int hour) {
  StringByteSource source(slotPage(schedule(), hour).eucJp());
  ProgrammeTable table;
  if (!readPage(source, table)) std::abort();
  table.setTableKey(slotKey(kDay, hour));
  StringByteSink sink;
  table.write(sink);
  return sink.bytes();
}

// A cache directory of its own under the system's temporary folder.
std::string benchDirectory() {
  std::filesystem::path directory = std::filesystem::temp_directory_path() /
                                    ("rokuban-bench-" + std::to_string(os::tickMilliseconds()));
  std::filesystem::create_directory(directory);
  return directory.string() + static_cast<char>(std::filesystem::path::preferred_separator);
}

void BM_ReadPage(benchmark::State& state) {
  StringByteSource source(eveningPage());
  ProgrammeTable table;
  for (auto _ : state) {
    source.rewind();
    if (!readPage(source, table)) state.SkipWithError("page refused");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * eveningPage().size()));
  state.SetItemsProcessed(state.iterations());
  state.counters["page_bytes"] = static_cast<double>(eveningPage().size());
  state.counters["cells"] = static_cast<double>(table.cellCount());
}
BENCHMARK(BM_ReadPage);

#ifdef ROKUBAN_BENCH_GUMBO
// A complete HTML5 parser building its document tree from the same bytes,
// as the yardstick for BM_ReadPage.
void BM_GumboParse(benchmark::State& state) {
  const std::string& page = eveningPage();
  for (auto _ : state) {
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size());
    benchmark::DoNotOptimize(output->root);
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GumboParse);
#endif

// The same page as the crawl reads it: from its file, 1024 bytes at a time.
void BM_ReadPageFile(benchmark::State& state) {
  const std::string path = benchDirectory() + "121217tb.htm";
  {
    LocalFile file;
    file.createForWrite(path);
    file.write(eveningPage().data(), static_cast<int>(eveningPage().size()));
  }
  ProgrammeTable table;
  for (auto _ : state) {
    LocalFile file;
    file.openForRead(path);
    BufferedReader reader(file);
    if (!readPage(reader, table)) state.SkipWithError("page refused");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * eveningPage().size()));
  state.SetItemsProcessed(state.iterations());
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(path).parent_path(), ignored);
}
BENCHMARK(BM_ReadPageFile);

void BM_ReadTableFile(benchmark::State& state) {
  StringByteSource source(tableFile(17));
  ProgrammeTable table;
  for (auto _ : state) {
    source.rewind();
    if (!table.read(source)) state.SkipWithError("table refused");
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tableFile(17).size()));
}
BENCHMARK(BM_ReadTableFile);

void BM_WriteTableFile(benchmark::State& state) {
  StringByteSource source(eveningPage());
  ProgrammeTable table;
  readPage(source, table);
  for (auto _ : state) {
    StringByteSink sink;
    table.write(sink);
    benchmark::DoNotOptimize(sink.bytes().data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteTableFile);

// A cache directory holding the six table files of the day.
class DayCache {
 public:
  DayCache() : directory_(benchDirectory()) {
    settings_.setString("_config", "directory", directory_);
    cache_.setSettings(settings_);
    for (int hour : kSlotHours) {
      StringByteSource source(tableFile(hour));
      ProgrammeTable slot;
      slot.read(source);
      cache_.saveTableFile(slot.tableKey(), slot);
    }
  }
  ~DayCache() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }
  GuideCache& cache() { return cache_; }

 private:
  std::string directory_;
  SettingsStore settings_;
  GuideCache cache_;
};

// The main window's reload: six table files opened, read and stacked into
// the one day table the program keeps.
void BM_LoadDay(benchmark::State& state) {
  DayCache files;
  ProgrammeTable day;
  for (auto _ : state) {
    day.setTableKey(-1);  // as after a download: the day is loaded again
    files.cache().loadDay(kDay, day);
    if (day.tableKey() != dayTableKey(kDay)) state.SkipWithError("day incomplete");
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["cells"] = static_cast<double>(day.cellCount());
  state.counters["rows"] = static_cast<double>(day.rowCount(0));
}
BENCHMARK(BM_LoadDay)->Unit(benchmark::kMicrosecond);

// The same into a brand-new table each time: the first load of a run.
void BM_LoadDayFresh(benchmark::State& state) {
  DayCache files;
  for (auto _ : state) {
    ProgrammeTable day;
    files.cache().loadDay(kDay, day);
    if (day.tableKey() != dayTableKey(kDay)) state.SkipWithError("day incomplete");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LoadDayFresh)->Unit(benchmark::kMicrosecond);

}  // namespace
