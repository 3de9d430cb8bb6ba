// TunerSource: the guide source of the setting "tunerserver": a tuner
// server's JSON API read on every crawl (that reading is also the refresh),
// its slots written by the XMLTV import's rule: a table gives way only to
// one at least as complete. And the choice of the crawl's source that the
// front ends make from the settings.
#pragma once

#include <string>

#include "guide/guide_source.h"

class SettingsStore;

class TunerSource : public GuideSource {
 public:
  int fill(GuideCache& cache, const CrawlRequest& request, ProgressSink& progress) override;
};

// Reads the tuner server at `baseUrl` ("http://host:port", a path and a
// final "/" allowed) into the slots of broadcast days firstDay .. lastDay.
// -1 on failure (nothing written, the message reported), else the slots
// that now hold its programmes.
int importTunerServer(GuideCache& cache, const std::string& baseUrl, int firstDay, int lastDay,
                      ProgressSink& progress);

// The tuner server when "tunerserver" is set, else what guideSourceFor
// chooses (the XMLTV document or the guide service).
GuideSource& crawlSourceFor(const SettingsStore& settings);
