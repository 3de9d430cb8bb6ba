// The search view's matches, their rows and their cells.
#include "ui/search_view.h"

#include <utility>

#include "guide/guide_cache.h"
#include "listing/listing.h"
#include "search/cache_search.h"
#include "search/programme_matcher.h"
#include "ui/companion_launcher.h"
#include "ui/list_row_painter.h"
#include "ui/model/recorder_reservation.h"
#include "ui/model/search_listing.h"
#include "watch/watch_memory.h"

namespace {
const ProgrammeRecord* recordOf(LPARAM item) { return reinterpret_cast<const ProgrammeRecord*>(item); }
}  // namespace

// The recorder's reserves as it last answered, none when it is not set.
std::vector<ProgrammeRecord> SearchView::recorderReserveRows(const DateTime& now) {
  if (context_.settings.recorder().empty()) return {};
  return reserveRecords(recorderReserves_, collectListing(context_.guide, defaultListingRange(now)).channels);
}

std::vector<ProgrammeRecord> SearchView::findSourceMatches(int source) {
  const DateTime now = context_.guide.now();
  watchMatches_.clear();
  if (source == kRecorderReserves) return recorderReserveRows(now);
  if (source == kWatchMatches) {
    context_.followWatchSettings();
    watchCheck_ = checkWatchList(context_.guide, now);
    watchMatches_ = watchMatches(watchCheck_, watchCheck_.current, {});
    return watchCheck_.current;
  }
  ProgrammeMatcher matcher;
  QueryProblem problem;
  if (isEmptyQuery(query_) || !matcher.compile(query_, problem)) return {};
  Listing listing;
  return searchCache(context_.guide, defaultListingRange(now), matcher, listing);
}

// Null when the cache no longer holds the programme.
const ProgrammeCell* SearchView::cellOfMatch(const ProgrammeRecord& record) {
  const int day = broadcastDayOf(record);
  if (day != matchDayNumber_) {
    matchDayNumber_ = day;
    if (!context_.guide.loadDay(dateFromDayNumber(day), matchDay_)) matchDay_.clear();
  }
  return findRecordCell(matchDay_, record);
}

void SearchView::forgetMatchDay() {
  matchDayNumber_ = -1;
  // loadDay keeps a table that already holds the day asked for.
  matchDay_.clear();
}

void SearchView::fillRows(ListWindow& list, int source) {
  matches_ = findSourceMatches(source);
  matchesSource_ = source;
  forgetMatchDay();
  for (const ProgrammeRecord& record : matches_) list.append(reinterpret_cast<LPARAM>(&record));
  const int selected = firstSearchRowSelected(matches_, guideMinuteOf(context_.guide.now()));
  if (selected >= 0) {
    list.select(selected);
  } else {
    // No row takes the pane: the programme of the view before must not stay.
    host_.showDetail(searchCountText(source, matches_.size()));
  }
}

bool SearchView::rowLook(LPARAM item, bool selected, RowLook& look) const {
  const ProgrammeRecord* record = recordOf(item);
  if (!record) return false;
  const std::size_t index = static_cast<std::size_t>(record - matches_.data());
  look = index < watchMatches_.size() ? watchRowLook(watchMatches_[index], selected, systemColours())
                                      : searchRowLook(*record, selected, systemColours());
  return true;
}

bool SearchView::rowDetail(LPARAM item, std::string& text) {
  const ProgrammeRecord* record = recordOf(item);
  if (!record) return false;
  text = searchDetailText(*record, cellOfMatch(*record)) + "\r\n\r\n" + searchCountText(matchesSource_, matches_.size());
  return true;
}

void SearchView::activateRow(LPARAM item) {
  const ProgrammeRecord* record = recordOf(item);
  std::string arguments;
  if (!record || reserver_.reserveInRecorder(host_.mainWindow(), *record)) return;
  if (matchReservationArguments(*record, arguments)) companion_.launch(arguments);
}

bool SearchView::matchReservationArguments(const ProgrammeRecord& record, std::string& arguments) {
  const ProgrammeCell* cell = cellOfMatch(record);
  if (!cell) return false;
  arguments = reserver_.reservationOf(matchDay_, *cell, dayViewOf(record));
  return true;
}
