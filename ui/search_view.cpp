// The search view's matches, their rows and their cells.
#include "ui/search_view.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/application.h"
#include "guide/guide_cache.h"
#include "listing/listing.h"
#include "programme/programme_table.h"
#include "search/programme_matcher.h"
#include "search/watch_check.h"
#include "search/watch_memory.h"
#include "ui/companion_launcher.h"
#include "ui/list_row_painter.h"
#include "ui/model/search_listing.h"
#include "ui/model/view_state.h"
#include "ui/reserve_programme.h"

namespace {
ProgrammeQuery searchQuery;
std::vector<ProgrammeRecord> matches;
// The day table of the last match whose cell was asked for.
ProgrammeTable matchDay;
int matchDayNumber = -1;

GuideCache& cache() { return guideCache(Application::instance().settings()); }

const ProgrammeRecord* recordOf(LPARAM item) { return reinterpret_cast<const ProgrammeRecord*>(item); }

// The watch view's re-airs of --once entries: identity -> the first airing's.
std::map<std::string, std::string> reairs;

std::vector<ProgrammeRecord> findSourceMatches(int source) {
  const DateTime now = currentDateTime();
  reairs.clear();
  if (source == kWatchMatches) {
    Application::instance().followWatchSettings();
    WatchCheck check = checkWatchList(cache(), now);
    reairs = std::move(check.reairOf);
    return std::move(check.current);
  }
  if (isEmptyQuery(searchQuery)) return {};
  return findMatches(collectListing(cache(), defaultListingRange(now)), searchQuery);
}

// Null when the cache no longer holds the programme.
const ProgrammeCell* cellOfMatch(const ProgrammeRecord& record) {
  const int day = broadcastDayOf(record);
  if (day != matchDayNumber) {
    matchDayNumber = day;
    if (!cache().loadDay(dateFromDayNumber(day), matchDay)) matchDay.clear();
  }
  return findRecordCell(matchDay, record);
}
}  // namespace

void setSearchQuery(const ProgrammeQuery& query) { searchQuery = query; }

void forgetMatchDay() {
  matchDayNumber = -1;
  // loadDay keeps a table that already holds the day asked for.
  matchDay.clear();
}

void fillSearchRows(ListWindow& list, int source) {
  matches = findSourceMatches(source);
  forgetMatchDay();
  for (const ProgrammeRecord& record : matches) list.append(reinterpret_cast<LPARAM>(&record));
  const int selected = firstSearchRowSelected(matches, listingMinuteOf(currentDateTime()));
  if (selected >= 0) list.select(selected);
}

bool lookOfSearchRow(LPARAM item, bool selected, RowLook& look) {
  const ProgrammeRecord* record = recordOf(item);
  if (!record) return false;
  look = searchRowLook(*record, selected, systemColours());
  const auto reaired = reairs.find(programmeIdentity(*record));
  if (reaired != reairs.end()) look.text += reairNote(reaired->second);
  return true;
}

bool searchRowDetail(LPARAM item, std::string& text) {
  const ProgrammeRecord* record = recordOf(item);
  if (!record) return false;
  text = searchDetailText(*record, cellOfMatch(*record));
  return true;
}

void activateSearchRow(LPARAM item) {
  const ProgrammeRecord* record = recordOf(item);
  std::string arguments;
  if (record && matchReservationArguments(*record, arguments)) launchCompanion(arguments);
}

bool matchReservationArguments(const ProgrammeRecord& record, std::string& arguments) {
  const ProgrammeCell* cell = cellOfMatch(record);
  if (!cell) return false;
  arguments = reservationOf(matchDay, *cell, dayViewOf(record));
  return true;
}
