// Answering the page requests.
#include "webguide/web_pages.h"

#include "guide/guide_cache.h"
#include "webguide/day_page.h"
#include "webguide/page_style.h"
#include "webguide/query_parameters.h"

namespace {

const char kPolicy[] =
    "default-src 'none'; style-src 'self'; script-src 'self'; img-src 'self'; form-action 'self'; "
    "base-uri 'none'; frame-ancestors 'none'";

WebResponse fixedResponse(const char* contentType, std::string body) {
  WebResponse response;
  response.contentType = contentType;
  response.body = std::move(body);
  response.headers = {{"Cache-Control", "max-age=300"}, {"X-Content-Type-Options", "nosniff"}};
  return response;
}

// The date a day page asks for; false when it is malformed or outside the
// days the pages offer.
bool requestedDate(const WebRequest& request, const PageClock& clock, CalendarDate& date) {
  std::string text;
  const int found = queryParameter(request.query, "date", text);
  if (found < 0) return false;
  if (found == 0) {
    date = clock.today;
    return true;
  }
  return parseIsoDate(text, date) && isPageDate(date, clock.today);
}

}  // namespace

WebResponse htmlResponse(int status, std::string html) {
  WebResponse response;
  response.status = status;
  response.contentType = "text/html; charset=utf-8";
  response.body = std::move(html);
  response.headers = {{"Cache-Control", "no-cache"},
                      {"Content-Security-Policy", kPolicy},
                      {"X-Content-Type-Options", "nosniff"},
                      {"Referrer-Policy", "no-referrer"}};
  return response;
}

WebPages::WebPages(SettingsStore& settings, std::function<DateTime()> now)
    : settings_(settings), now_(std::move(now)) {}

Listing WebPages::listingOf(const CalendarDate& from, int days) {
  ListingRange range;
  range.from = from;
  range.days = days;
  std::lock_guard<std::mutex> hold(cacheLock_);
  return collectListing(guideCache(settings_), range);
}

WebResponse WebPages::day(const WebRequest& request) {
  const PageClock clock = pageClockAt(now_());
  CalendarDate date{};
  if (!requestedDate(request, clock, date)) {
    return htmlResponse(400, messagePage("The date must be a day from yesterday to six days ahead (YYYY-MM-DD).",
                                         clock));
  }
  return htmlResponse(200, dayPage(listingOf(date, 1), date, clock));
}

WebResponse WebPages::styleSheet(const WebRequest&) {
  static const std::string sheet = pageStyleSheet();
  return fixedResponse("text/css; charset=utf-8", sheet);
}

WebResponse WebPages::script(const WebRequest&) {
  return fixedResponse("text/javascript; charset=utf-8", pageScript());
}
