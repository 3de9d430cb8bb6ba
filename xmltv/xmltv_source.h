// The guide source of the setting "xmltvsource", and the choice between it
// and the guide service that the front ends make from the settings.
#pragma once

#include "guide/guide_source.h"

class SettingsStore;

// Reads the document of "xmltvsource" on every crawl, a URL conditionally
// when the cache holds what its last fetch gave; that reading is also the
// refresh, so the guide service is never contacted.
class XmltvSource : public GuideSource {
 public:
  int fill(GuideCache& cache, const CrawlRequest& request, ProgressSink& progress) override;
};

// The XMLTV document when "xmltvsource" is set, else the guide service.
GuideSource& guideSourceFor(const SettingsStore& settings);
// False when no crawl can get a guide: no XMLTV document and the guide
// service still the placeholder. The front ends say so instead of crawling.
bool guideSourceIsSet(const SettingsStore& settings);
