// Answering the page requests.
#include "webguide/web_pages.h"

#include "listing/ics_writer.h"
#include "os/text.h"
#include "search/programme_matcher.h"
#include "webguide/cached_listing.h"
#include "webguide/day_page.h"
#include "webguide/page_style.h"
#include "webguide/query_parameters.h"
#include "webguide/search_page.h"

namespace {

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

// The search `cp932` (as typed) compiled; false with the problem in UTF-8.
bool compiledSearch(const std::string& cp932, ProgrammeMatcher& matcher, std::string& problem) {
  std::vector<std::string> tokens;
  ProgrammeQuery query;
  if (!splitQueryText(cp932, tokens)) {
    problem = "A quotation mark of the search is not closed.";
    return false;
  }
  QueryProblem refused;
  if (!parseQueryArguments(tokens, query, refused) || !matcher.compile(query, refused)) {
    problem = os::cp932ToUtf8(englishText(refused));
    return false;
  }
  return true;
}

}  // namespace

WebResponse htmlResponse(int status, std::string html) {
  WebResponse response;
  response.status = status;
  response.contentType = "text/html; charset=utf-8";
  response.body = std::move(html);
  response.headers = {{"Cache-Control", "no-cache"},
                      {"Content-Security-Policy", pagePolicy()},
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
  return cachedListing(settings_, range);
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


bool WebPages::searchMatches(const WebRequest& request, const PageClock& clock,
                             std::vector<ProgrammeRecord>& matches, std::string& text, WebResponse& refusal) {
  std::string typed;
  const int found = queryParameter(request.query, "q", typed);
  if (found < 0 || typed.size() > kMaxSearchBytes) {
    refusal = htmlResponse(400, messagePage("The search must be at most " + std::to_string(kMaxSearchBytes) +
                                                " bytes of text.",
                                            clock));
    return false;
  }
  // Through Shift-JIS and back: the search runs on the guide's own text,
  // and the page shows exactly what was searched for.
  const std::string cp932 = os::utf8ToCp932(typed);
  text = os::cp932ToUtf8(cp932);
  std::string problem;
  ProgrammeMatcher matcher;
  if (text.find_first_not_of(' ') == std::string::npos) {
    text.clear();  // the page that asks for a search
    return true;
  }
  if (!compiledSearch(cp932, matcher, problem)) {
    refusal = htmlResponse(400, messagePage(problem, clock));
    return false;
  }
  const std::vector<CalendarDate> dates = pageDates(clock.today);
  matches = findMatches(listingOf(dates.front(), static_cast<int>(dates.size())), matcher);
  return true;
}

WebResponse WebPages::search(const WebRequest& request) {
  const PageClock clock = pageClockAt(now_());
  std::vector<ProgrammeRecord> matches;
  std::string text;
  WebResponse refusal;
  if (!searchMatches(request, clock, matches, text, refusal)) return refusal;
  return htmlResponse(200, searchPage(matches, text, clock));
}

WebResponse WebPages::calendar(const WebRequest& request) {
  const PageClock clock = pageClockAt(now_());
  Listing matches;
  std::string text;
  WebResponse refusal;
  if (!searchMatches(request, clock, matches.programmes, text, refusal)) return refusal;
  WebResponse response;
  response.contentType = "text/calendar; charset=utf-8";
  response.body = icsDocument(matches, clock.now);
  // A calendar subscribed to the feed asks again now and then; an hour old is fresh enough.
  response.headers = {{"Cache-Control", "max-age=3600"}, {"X-Content-Type-Options", "nosniff"}};
  return response;
}
