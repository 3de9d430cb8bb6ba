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
#include "recorder/recorder_client.h"
#include "search/programme_matcher.h"
#include "ui/companion_launcher.h"
#include "ui/list_row_painter.h"
#include "ui/list_view_host.h"
#include "ui/model/recorder_reservation.h"
#include "ui/model/search_listing.h"
#include "ui/model/view_state.h"
#include "ui/reserve_programme.h"
#include "watch/watch_check.h"
#include "watch/watch_memory.h"

namespace {
ProgrammeQuery searchQuery;
std::vector<ProgrammeRecord> matches;
int matchesSource = kSearchResults;
// The day table of the last match whose cell was asked for.
ProgrammeTable matchDay;
int matchDayNumber = -1;

GuideCache& cache() { return Application::instance().guide(); }

const ProgrammeRecord* recordOf(LPARAM item) { return reinterpret_cast<const ProgrammeRecord*>(item); }

// The watch view's re-airs of --once entries: identity -> the first airing's.
std::map<std::string, std::string> reairs;

// The recorder's reserves, none when it is not set or does not answer.
std::vector<ProgrammeRecord> recorderReserveRows(const DateTime& now) {
  SettingsStore& settings = Application::instance().settings();
  if (settings.recorder().empty()) return {};
  RecorderClient client(settings.recorder(), cache().clock());
  std::vector<RecorderReserve> reserves;
  if (client.list(reserves).outcome != RecorderOutcome::Done) return {};
  return reserveRecords(reserves, collectListing(cache(), defaultListingRange(now)).channels);
}

std::vector<ProgrammeRecord> findSourceMatches(int source) {
  const DateTime now = currentDateTime();
  reairs.clear();
  if (source == kRecorderReserves) return recorderReserveRows(now);
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
  matchesSource = source;
  forgetMatchDay();
  for (const ProgrammeRecord& record : matches) list.append(reinterpret_cast<LPARAM>(&record));
  const int selected = firstSearchRowSelected(matches, guideMinuteOf(currentDateTime()));
  if (selected >= 0) {
    list.select(selected);
  } else if (listViewHost().detailPane) {
    // No row takes the pane: the programme of the view before must not stay.
    SetWindowTextA(listViewHost().detailPane, searchCountText(source, matches.size()).c_str());
  }
}

bool lookOfSearchRow(LPARAM item, bool selected, RowLook& look) {
  const ProgrammeRecord* record = recordOf(item);
  if (!record) return false;
  look = searchRowLook(*record, selected, systemColours());
  const std::string first = airingRepeatedBy(reairs, *record);
  if (!first.empty()) look.text += reairNote(first);
  return true;
}

bool searchRowDetail(LPARAM item, std::string& text) {
  const ProgrammeRecord* record = recordOf(item);
  if (!record) return false;
  text = searchDetailText(*record, cellOfMatch(*record)) + "\r\n\r\n" + searchCountText(matchesSource, matches.size());
  return true;
}

void activateSearchRow(HWND owner, LPARAM item) {
  const ProgrammeRecord* record = recordOf(item);
  std::string arguments;
  if (!record || reserveInRecorder(owner, *record)) return;
  if (matchReservationArguments(*record, arguments)) launchCompanion(arguments);
}

bool matchReservationArguments(const ProgrammeRecord& record, std::string& arguments) {
  const ProgrammeCell* cell = cellOfMatch(record);
  if (!cell) return false;
  arguments = reservationOf(matchDay, *cell, dayViewOf(record));
  return true;
}
