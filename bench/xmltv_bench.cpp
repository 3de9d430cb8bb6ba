// XMLTV import throughput: a week of 40 channels (about 10,000 programmes)
// read, converted into slot pages, read back and stored as table files.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/bench_folder.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "os/text.h"
#include "tools/guide_pages/sample_schedule.h"
#include "ui/silent_progress.h"
#include "xmltv/xmltv_import.h"

namespace {

const int kChannels = 40;
const int kDays = 7;

std::string escaped(const std::string& cp932) {
  std::string out;
  for (char c : os::cp932ToUtf8(cp932)) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else out += c;
  }
  return out;
}

std::string stamp(int firstDay, int minutes) {
  const int total = 5 * 60 + minutes;
  const CalendarDate date = dateFromDayNumber(firstDay + total / 1440);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d00 +0900", date.year, date.month, date.day,
                total % 1440 / 60, total % 60);
  return text;
}

// The week as a grabber would write it; `programmes` counts them.
std::string weekDocument(int firstDay, int& programmes) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tv>\n";
  programmes = 0;
  for (int day = 0; day < kDays; ++day) {
    const SampleSchedule schedule = sampleSchedule(kChannels, 2026 + day);
    if (day == 0) {
      for (int i = 0; i < kChannels; ++i) {
        xml += "<channel id=\"c" + std::to_string(i) + "\"><display-name>" + escaped(schedule.channels[i]) +
               "</display-name></channel>\n";
      }
    }
    for (const ScheduledProgramme& p : schedule.programmes) {
      // Longer programmes in two parts, for the number of a busy week.
      const int parts = p.length >= 20 ? 2 : 1;
      for (int part = 0; part < parts; ++part) {
        const int start = p.start + part * (p.length / 2);
        const int stop = part + 1 == parts ? p.start + p.length : start + p.length / 2;
        xml += "<programme start=\"" + stamp(firstDay + day, start) + "\" stop=\"" + stamp(firstDay + day, stop) +
               "\" channel=\"c" + std::to_string(p.channel) + "\">\n  <title lang=\"ja\">" + escaped(p.title) +
               "</title>\n  <desc lang=\"ja\">" + escaped(p.detail) +
               "</desc>\n  <category lang=\"en\">Movie / Drama</category>\n</programme>\n";
        ++programmes;
      }
    }
  }
  return xml + "</tv>\n";
}

void BM_ImportXmltvWeek(benchmark::State& state) {
  BenchFolder folder{"rokuban-xmltv-bench-"};
  SettingsStore settings;
  settings.section("_config")["directory"] = folder.file("cache");
  GuideCache& cache = guideCache(settings);
  const int firstDay = dayNumber(2026, 12, 7);
  int programmes = 0;
  folder.write("week.xml", weekDocument(firstDay, programmes));
  SilentProgress progress;
  for (auto _ : state) {
    if (importXmltv(cache, folder.file("week.xml"), firstDay, firstDay + kDays - 1, progress) != kDays * 6) {
      state.SkipWithError("import failed");
    }
  }
  state.counters["programmes"] = programmes;
}
BENCHMARK(BM_ImportXmltvWeek)->Unit(benchmark::kMillisecond);

}  // namespace
