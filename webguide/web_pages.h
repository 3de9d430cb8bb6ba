// WebPages: the HTML side of the guide service: GET / (a day of the cached
// week, ?date=YYYY-MM-DD from yesterday to six days ahead), GET /search?q=
// (the search's matches over those days; q is a search as the command line
// takes it: words, -words, --channel, --genre, ...), GET /search.ics?q=
// (the same matches as an iCalendar feed), GET /watch (the watch list and
// what it finds now). The pages only read the cache and the settings.
// Every page answer carries a security policy that lets the page's own
// inline style sheet and script run alone; a bad parameter gets a 400 page.
// Pages speak Japanese, or English for a browser that prefers it
// (Accept-Language); a search page leaves out programmes that have ended
// unless asked with ended=1.
#pragma once

#include <functional>
#include <memory>

#include "calendar/calendar.h"
#include "listing/listing.h"
#include "webguide/page_frame.h"
#include "webguide/reserve_marks.h"
#include "webguide/web_request.h"
#include "webguide/web_response.h"

class ListingMemo;
class SettingsStore;

class WebPages {
 public:
  // `settings` (with the cache directory) must outlive the pages; `now`
  // gives the local time a page is made for.
  explicit WebPages(SettingsStore& settings, std::function<DateTime()> now = currentDateTime);
  // The same, reading through `memo`, which a server's feed may share.
  WebPages(SettingsStore& settings, std::shared_ptr<ListingMemo> memo,
           std::function<DateTime()> now = currentDateTime);

  // Reads what the first requests ask for (today's page, the offered days
  // a search runs over), so that they need not wait for it.
  void prepare();

  // Safe to call from several threads at once.
  WebResponse day(const WebRequest& request);
  WebResponse search(const WebRequest& request);
  WebResponse calendar(const WebRequest& request);
  // GET /watch: the watch list's entries and what each finds now.
  WebResponse watch(const WebRequest& request);

 private:
  std::shared_ptr<const Listing> listingOf(const CalendarDate& from, int days);
  // Now, and the days the cache holds for the tabs.
  PageClock pageClock();
  // The matches of the request's search over the offered days, its text as
  // shown (UTF-8); false with a 400 page in `refusal` for a bad search.
  bool searchMatches(const WebRequest& request, const PageClock& clock, const PageTexts& texts,
                     std::vector<ProgrammeRecord>& matches, std::string& text, WebResponse& refusal);

  SettingsStore& settings_;
  std::shared_ptr<ListingMemo> memo_;
  std::function<DateTime()> now_;
  RecorderReserveCache reserves_;  // the recorder's, for the day page's marks
};

// A page answer: UTF-8 HTML with the headers every page carries (its
// language follows Accept-Language, so caches keep one per language).
WebResponse htmlResponse(int status, std::string html);
