#include "xmltv/xmltv_source.h"

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "xmltv/xmltv_import.h"

int XmltvSource::fill(GuideCache& cache, const CrawlRequest& request, ProgressSink& progress) {
  const int first = broadcastDayNumber(request.now);
  XmltvImportOptions options;
  options.conditional = true;
  return importXmltv(cache, cache.settings().xmltvSource(), first, first + request.days, progress, options);
}

GuideSource& guideSourceFor(const SettingsStore& settings) {
  static XmltvSource document;
  if (settings.xmltvSource().empty()) return guideService();
  return document;
}

bool guideSourceIsSet(const SettingsStore& settings) {
  return !settings.xmltvSource().empty() || !settings.tunerServer().empty() || settings.server() != kDefaultGuideServer;
}
