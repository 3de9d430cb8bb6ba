// A guide cache holding today's broadcast day as crawled from the demo
// guide on 127.0.0.1, for tests that read a real day's records.
#pragma once

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "tests/support/fake_clock.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"
#include "tools/demo_guide/demo_guide_server.h"

struct CrawledDemoDay {
  CrawledDemoDay() {
    settings.section("_config")["server"] = "127.0.0.1";
    settings.section("_config")["directory"] = folder.file("cache");
    settings.setDeleteHtml(true);
  }
  // The slots fetched: 6 when the whole day is in the cache. The crawl
  // waits on a fake clock; the cache reads the real one afterwards.
  int crawl() {
    if (!server.start()) return -1;
    settings.section("_config")["port"] = std::to_string(server.port());
    cache.setClock(&clock);
    RecordingProgress progress;
    const int slots = cache.crawl(now, 0, progress);
    cache.setClock(nullptr);
    return slots;
  }

  FakeClock clock;
  TempFolder folder;
  DemoGuideServer server{DemoGuideOptions()};
  SettingsStore settings;
  GuideCache cache{settings};
  const DateTime now = currentDateTime();
};
