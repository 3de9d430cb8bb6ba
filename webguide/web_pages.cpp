// Answering the page requests.
#include "webguide/web_pages.h"

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "listing/ics_writer.h"
#include "net/clock.h"
#include "os/text.h"
#include "search/programme_matcher.h"
#include "watch/watch_change_memory.h"
#include "watch/watch_check.h"
#include "watch/watch_list.h"
#include "watch/watch_match.h"
#include "watch/watch_memory.h"
#include "webguide/channel_tabs.h"
#include "webguide/day_page.h"
#include "webguide/listing_memo.h"
#include "webguide/page_style.h"
#include "webguide/query_parameters.h"
#include "webguide/search_page.h"
#include "webguide/watch_page.h"

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

// The search `cp932` (as typed) compiled; false with the problem (Shift-JIS).
bool compiledSearch(const std::string& cp932, const PageTexts& texts, ProgrammeMatcher& matcher,
                    std::string& problem) {
  std::vector<std::string> tokens;
  ProgrammeQuery query;
  QueryProblem refused;
  if (!splitQueryText(cp932, tokens)) {
    refused.kind = QueryProblem::kUnclosedQuote;
    problem = problemText(refused, texts);
    return false;
  }
  if (!parseQueryArguments(tokens, query, refused) || !matcher.compile(query, refused)) {
    problem = problemText(refused, texts);
    return false;
  }
  return true;
}

// The channel tab a day page asks for; the first for none, or for one the
// day does not have (a bookmark from a day with more channels).
std::size_t requestedTab(const WebRequest& request, std::size_t tabs) {
  std::string text;
  if (queryParameter(request.query, "tab", text) != 1 || text.empty() || text.size() > 3 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return 0;
  }
  const std::size_t tab = static_cast<std::size_t>(std::stoi(text));
  return tab < tabs ? tab : 0;
}

// A search's page of matches; the first for none or a malformed one.
std::size_t requestedPage(const WebRequest& request) {
  std::string text;
  if (queryParameter(request.query, "page", text) != 1 || text.empty() || text.size() > 5 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return 0;
  }
  return static_cast<std::size_t>(std::stoi(text));
}

const PageTexts& textsFor(const WebRequest& request) { return pageTexts(preferredLanguage(request.acceptLanguage)); }

// ended=1 asks for the programmes that have ended too.
bool wantsEnded(const WebRequest& request) {
  std::string value;
  return queryParameter(request.query, "ended", value) == 1 && value == "1";
}

// The watch list and its memories as the file holds them now: a crawl or
// the window may have changed them since the server started.
const SettingsStore& watchSettings(const SettingsStore& started, SettingsStore& reread) {
  return !started.path().empty() && reread.load(started.path()) ? reread : started;
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
                      {"Referrer-Policy", "no-referrer"},
                      {"Vary", "Accept-Language"}};
  return response;
}

WebPages::WebPages(SettingsStore& settings, std::function<DateTime()> now)
    : WebPages(settings, std::make_shared<ListingMemo>(settings), std::move(now)) {}

WebPages::WebPages(SettingsStore& settings, std::shared_ptr<ListingMemo> memo, std::function<DateTime()> now)
    : settings_(settings), memo_(std::move(memo)), now_(std::move(now)) {}

PageClock WebPages::pageClock() {
  PageClock clock = pageClockAt(now_());
  clock.offered = memo_->heldDates(clock.offered);
  return clock;
}

std::shared_ptr<const Listing> WebPages::listingOf(const CalendarDate& from, int days) {
  ListingRange range;
  range.from = from;
  range.days = days;
  return memo_->listing(range);
}

void WebPages::prepare() {
  const PageClock clock = pageClockAt(now_());
  const std::vector<CalendarDate> dates = pageDates(clock.today);
  listingOf(clock.today, 1);
  listingOf(dates.front(), static_cast<int>(dates.size()));
}

WebResponse WebPages::day(const WebRequest& request) {
  const PageClock clock = pageClock();
  const PageTexts& texts = textsFor(request);
  CalendarDate date{};
  if (!requestedDate(request, clock, date)) return htmlResponse(400, messagePage(texts.badDate, clock, texts));
  const std::shared_ptr<const Listing> day = listingOf(date, 1);
  const ReserveMarks marks = reserves_.marks(settings_, systemClock());
  const std::vector<ChannelTab> tabs = channelTabs(day->channels);
  if (tabs.empty()) return htmlResponse(200, dayPage(*day, date, clock, texts, &marks));
  DayTabs shown;
  shown.shown = requestedTab(request, tabs.size());
  for (const ChannelTab& tab : tabs) {
    std::string name = texts.channelKinds[static_cast<int>(tab.kind)];
    if (tab.part > 0) name += " " + std::to_string(tab.part);
    shown.names.push_back(name);
  }
  return htmlResponse(200, dayPage(tabListing(*day, tabs[shown.shown]), date, clock, texts, shown, &marks));
}

bool WebPages::searchMatches(const WebRequest& request, const PageClock& clock, const PageTexts& texts,
                             std::vector<ProgrammeRecord>& matches, std::string& text, WebResponse& refusal) {
  std::string typed;
  const int found = queryParameter(request.query, "q", typed);
  if (found < 0 || typed.size() > kMaxSearchBytes) {
    refusal = htmlResponse(
        400, messagePage(filledIn(texts.searchTooLong, std::to_string(kMaxSearchBytes)), clock, texts));
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
  if (!compiledSearch(cp932, texts, matcher, problem)) {
    refusal = htmlResponse(400, messagePage(problem, clock, texts, text));
    return false;
  }
  const std::vector<CalendarDate> dates = pageDates(clock.today);
  matches = findMatches(*listingOf(dates.front(), static_cast<int>(dates.size())), matcher);
  return true;
}

WebResponse WebPages::search(const WebRequest& request) {
  const PageClock clock = pageClock();
  const PageTexts& texts = textsFor(request);
  std::vector<ProgrammeRecord> matches;
  PageHead head;
  WebResponse refusal;
  if (!searchMatches(request, clock, texts, matches, head.searchText, refusal)) return refusal;
  head.title = "Rokuban: " + head.searchText;
  head.endedToo = wantsEnded(request);
  const std::size_t leftOut = head.endedToo ? 0 : leaveOutEnded(matches, clock.now);
  return htmlResponse(200, searchPage(matches, leftOut, head, clock, texts, requestedPage(request)));
}

WebResponse WebPages::calendar(const WebRequest& request) {
  const PageClock clock = pageClock();
  Listing matches;
  std::string text;
  WebResponse refusal;
  // The feed keeps what has ended: a subscribed calendar shows the past too.
  if (!searchMatches(request, clock, textsFor(request), matches.programmes, text, refusal)) return refusal;
  WebResponse response;
  response.contentType = "text/calendar; charset=utf-8";
  SettingsStore reread;
  response.body = icsDocument(matches, clock.now, movedProgrammesHistory(watchSettings(settings_, reread), matches));
  // A calendar subscribed to the feed asks again now and then; an hour old is fresh enough.
  response.headers = {{"Cache-Control", "max-age=3600"}, {"X-Content-Type-Options", "nosniff"}};
  return response;
}

WebResponse WebPages::watch(const WebRequest& request) {
  const PageClock clock = pageClock();
  SettingsStore reread;
  const SettingsStore& settings = watchSettings(settings_, reread);
  const WatchList list = loadWatchList(settings);
  std::vector<WatchPageEntry> entries;
  for (const WatchEntry& entry : list.entries) entries.push_back({entry.number, queryText(entry.query), {}, {}});
  std::shared_ptr<const Listing> week = std::make_shared<const Listing>();
  std::vector<RememberedChange> changes;
  if (!entries.empty()) {
    const std::vector<CalendarDate> dates = pageDates(clock.today);
    week = listingOf(dates.front(), static_cast<int>(dates.size()));
    const Listing& listing = *week;
    changes = changesNotEnded(settings, clock.now);
    const WatchCheck check = checkWatchList(listing, list, settings, clock.now);
    for (const WatchMatch& match : watchMatches(check, check.current, {})) {
      for (WatchPageEntry& entry : entries) {
        if (!match.entry || entry.number != match.entry->number) continue;
        entry.matches.push_back(match.record);
        entry.firstAirings.push_back(match.firstAiring);
      }
    }
  }
  return htmlResponse(200, watchPage(entries, changes, *week, clock, textsFor(request)));
}
