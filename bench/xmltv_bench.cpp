// XMLTV import throughput: a week of 40 channels (about 10,000 programmes)
// read, converted into slot pages, read back and stored as table files; and
// the reader alone against expat on the same bytes, for that week and for a
// tuner server's shape of document (programmes in no order, all channels
// mixed, UTC offsets, numeric ids, enclosed symbols in titles).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#ifdef ROKUBAN_BENCH_EXPAT
#include <expat.h>
#endif

#include "bench/bench_folder.h"
#include "bytes/memory_bytes.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "job/silent_progress.h"
#include "os/text.h"
#include "tools/guide_pages/sample_schedule.h"
#include "xmltv/xmltv_import.h"
#include "xmltv/xmltv_reader.h"

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
  GuideCache cache{settings};
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

std::string utcStamp(int firstDay, int minutes) {
  const int total = 5 * 60 - 9 * 60 + minutes + 1440;
  const CalendarDate date = dateFromDayNumber(firstDay - 1 + total / 1440);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d00 +0000", date.year, date.month, date.day,
                total % 1440 / 60, total % 60);
  return text;
}

// What a tuner server serves for the same week: one channel element per
// service with a numeric id, then every programme in no particular order,
// times in UTC, marks as enclosed symbols, categories as "major - minor".
std::string tunerDocument(int firstDay, int& programmes) {
  static const char* const kSymbols[] = {"\xF0\x9F\x88\x91", "\xF0\x9F\x88\x9F", "\xF0\x9F\x88\x9E"};
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE tv SYSTEM \"xmltv.dtd\">\n<tv>\n";
  std::vector<std::string> elements;
  for (int day = 0; day < kDays; ++day) {
    const SampleSchedule schedule = sampleSchedule(kChannels, 2026 + day);
    if (day == 0) {
      for (int i = 0; i < kChannels; ++i) {
        xml += "<channel id=\"" + std::to_string(3273601024 + i) + "\"><display-name>" +
               escaped(schedule.channels[i]) + "</display-name></channel>\n";
      }
    }
    for (const ScheduledProgramme& p : schedule.programmes) {
      elements.push_back("<programme start=\"" + utcStamp(firstDay + day, p.start) + "\" stop=\"" +
                         utcStamp(firstDay + day, p.start + p.length) + "\" channel=\"" +
                         std::to_string(3273601024 + p.channel) + "\"><title>" + escaped(p.title) +
                         kSymbols[elements.size() % 3] + "</title><desc>" + escaped(p.detail) +
                         "</desc><category lang=\"ja\">\xE3\x83\x89\xE3\x83\xA9\xE3\x83\x9E - "
                         "\xE5\x9B\xBD\xE5\x86\x85\xE3\x83\x89\xE3\x83\xA9\xE3\x83\x9E</category></programme>\n");
    }
  }
  std::shuffle(elements.begin(), elements.end(), std::mt19937(7));
  for (const std::string& element : elements) xml += element;
  programmes = static_cast<int>(elements.size());
  return xml + "</tv>\n";
}

class CountingHandler : public XmltvHandler {
 public:
  bool onChannel(const XmltvChannel&) override { return ++channels, true; }
  bool onProgramme(const XmltvProgramme& programme) override {
    titleBytes += programme.title.size();
    return ++programmes, true;
  }
  int channels = 0, programmes = 0;
  std::size_t titleBytes = 0;
};

std::string documentOf(int shape, int& programmes) {
  const int firstDay = dayNumber(2026, 12, 7);
  return shape == 0 ? weekDocument(firstDay, programmes) : tunerDocument(firstDay, programmes);
}

// The reader as the import runs it: every channel and programme handed
// over with its times read and its texts converted to Shift-JIS.
void BM_ReadXmltv(benchmark::State& state) {
  int programmes = 0;
  const std::string document = documentOf(static_cast<int>(state.range(0)), programmes);
  for (auto _ : state) {
    StringByteSource source(document);
    CountingHandler handler;
    XmltvReader reader;
    if (!reader.read(source, handler) || handler.programmes != programmes) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(handler.titleBytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * document.size()));
  state.counters["programmes"] = programmes;
}
BENCHMARK(BM_ReadXmltv)->Arg(0)->Arg(1)->ArgNames({"tuner"})->Unit(benchmark::kMillisecond);

#ifdef ROKUBAN_BENCH_EXPAT
// expat parsing the same bytes. Arg 0 of the second pair: handlers that only
// count (a floor no reader that looks at what it reads can reach); arg 1:
// handlers that keep what an import must keep of each programme (its three
// attributes and the texts of its title, desc and category), as UTF-8.
struct ExpatImport {
  bool keep = false;
  int programmes = 0;
  std::size_t textBytes = 0;
  bool collecting = false;
  std::string text, channel, start, stop, title, desc, category;
};

void startElement(void* data, const XML_Char* name, const XML_Char** attributes) {
  ExpatImport& import = *static_cast<ExpatImport*>(data);
  const std::string element(name);
  if (element == "programme") {
    ++import.programmes;
    if (!import.keep) return;
    for (const XML_Char** a = attributes; *a; a += 2) {
      const std::string key(a[0]);
      if (key == "channel") import.channel = a[1];
      else if (key == "start") import.start = a[1];
      else if (key == "stop") import.stop = a[1];
    }
  } else if (import.keep && (element == "title" || element == "desc" || element == "category" ||
                             element == "display-name")) {
    import.collecting = true;
    import.text.clear();
  }
}

void endElement(void* data, const XML_Char* name) {
  ExpatImport& import = *static_cast<ExpatImport*>(data);
  if (!import.collecting) return;
  import.collecting = false;
  const std::string element(name);
  if (element == "title") import.title.swap(import.text);
  else if (element == "desc") import.desc.swap(import.text);
  else if (element == "category") import.category.swap(import.text);
}

void characterData(void* data, const XML_Char* text, int length) {
  ExpatImport& import = *static_cast<ExpatImport*>(data);
  import.textBytes += static_cast<std::size_t>(length);
  if (import.collecting) import.text.append(text, static_cast<std::size_t>(length));
}

void BM_ExpatParse(benchmark::State& state) {
  int programmes = 0;
  const std::string document = documentOf(static_cast<int>(state.range(0)), programmes);
  for (auto _ : state) {
    ExpatImport import;
    import.keep = state.range(1) != 0;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &import);
    XML_SetElementHandler(parser, startElement, endElement);
    XML_SetCharacterDataHandler(parser, characterData);
    if (XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1) != XML_STATUS_OK ||
        import.programmes != programmes) {
      state.SkipWithError("expat failed");
    }
    XML_ParserFree(parser);
    benchmark::DoNotOptimize(import.textBytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * document.size()));
  state.counters["programmes"] = programmes;
}
BENCHMARK(BM_ExpatParse)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->ArgNames({"tuner", "keeps"})
    ->Unit(benchmark::kMillisecond);
#endif

}  // namespace
