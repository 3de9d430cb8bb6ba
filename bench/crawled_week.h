// The demo guide's week crawled once into a bench folder, for the benchmarks
// that read a cached week (exports, the web page).
#pragma once

#include <string>

#include "bench/bench_folder.h"
#include "calendar/calendar.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "job/silent_progress.h"
#include "tools/demo_guide/demo_guide_server.h"

struct CrawledWeek {
  explicit CrawledWeek(const std::string& prefix) : folder(prefix), server(DemoGuideOptions()) {
    server.start();
    settings.section("_config")["server"] = "127.0.0.1";
    settings.section("_config")["port"] = std::to_string(server.port());
    settings.section("_config")["directory"] = folder.file("cache");
    settings.setDeleteHtml(true);
    SilentProgress progress;
    crawled = cache.crawl(now, 6, progress) == 42;
  }
  BenchFolder folder;
  DemoGuideServer server;
  SettingsStore settings;
  GuideCache cache{settings};
  DateTime now = currentDateTime();
  bool crawled = false;
};
