// GuideSource: where a crawl takes the guide from. The front ends choose it
// from the settings (xmltv/xmltv_source.h): the guide service's pages with
// their refresh (guideService below), or an XMLTV document.
#pragma once

#include "calendar/calendar.h"

class GuideCache;
class ProgressSink;

// What a crawl asks of its source.
struct CrawlRequest {
  DateTime now;
  int days = 0;          // broadcast days after today's
  int refreshHours = 0;  // 0: no refresh of the near slots
  bool emptyCache = false;  // the cache folder was made by this run
};

class GuideSource {
 public:
  // Brings the slots of the asked days into `cache` (its directory pinned
  // for the run). -1 on failure or cancel, else the slots written.
  virtual int fill(GuideCache& cache, const CrawlRequest& request, ProgressSink& progress) = 0;

 protected:
  ~GuideSource() = default;
};

// The guide service: the missing slots fetched, then, with refreshHours,
// the near ones fetched again (GuideCache::refreshNearSlots).
GuideSource& guideService();
