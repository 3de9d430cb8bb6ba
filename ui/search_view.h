// SearchView: the programme list's fourth view, the matches of the week of
// a search (the dialog's query) or of the watch list. Its rows are
// `const ProgrammeRecord*` into the view's own matches, which change only
// in fillRows (the list is refilled there). The main window owns it.
// Main thread only.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "calendar/calendar.h"
#include "listing/programme_record.h"
#include "programme/programme_table.h"
#include "recorder/recorder_client.h"
#include "search/programme_query.h"
#include "ui/list_view_host.h"
#include "ui/list_window.h"
#include "ui/model/view_state.h"
#include "ui/programme_rows.h"
#include "ui/reserve_programme.h"
#include "ui/window_context.h"
#include "watch/watch_check.h"
#include "watch/watch_match.h"

class SearchView : public ProgrammeRows {
 public:
  SearchView(const WindowContext& context, ProgrammeReserver& reserver, const CompanionLauncher& companion,
             ListViewHost& host)
      : context_(context), reserver_(reserver), companion_(companion), host_(host) {}

  // The query the search view lists from now on.
  void setQuery(const ProgrammeQuery& query) { query_ = query; }

  // Finds the matches of the source anew over the cached week and appends
  // them to `list` (suspended and cleared by the caller), the first that
  // has not ended selected.
  void fillRows(ListWindow& list, int source);

  bool rowLook(LPARAM item, bool selected, RowLook& look) const override;
  bool rowDetail(LPARAM item, std::string& text) override;
  // Enter or a double-click: hands the match to the recorder (its answer
  // posted to the main window) or to the recording tool.
  void activateRow(LPARAM item) override;

  // The recording tool's arguments for a match, built by the other views'
  // rule from the cell of its day's table. False when the cache no longer
  // holds the programme.
  bool matchReservationArguments(const ProgrammeRecord& record, std::string& arguments);
  // The cache was written since the last rows were filled: the next match's
  // day table is read again, not the one kept from before.
  void forgetMatchDay();
  // The recorder's reserves as it last gave them, which the reserves view
  // lists (see askRecorderForReserves).
  void setRecorderReserves(std::vector<RecorderReserve> reserves) { recorderReserves_ = std::move(reserves); }

 private:
  std::vector<ProgrammeRecord> recorderReserveRows(const DateTime& now);
  std::vector<ProgrammeRecord> findSourceMatches(int source);
  const ProgrammeCell* cellOfMatch(const ProgrammeRecord& record);

  const WindowContext& context_;
  ProgrammeReserver& reserver_;
  const CompanionLauncher& companion_;
  ListViewHost& host_;
  ProgrammeQuery query_;
  std::vector<ProgrammeRecord> matches_;
  int matchesSource_ = kSearchResults;
  // The day table of the last match whose cell was asked for.
  ProgrammeTable matchDay_;
  int matchDayNumber_ = -1;
  // The watch view's check and its matches, one for each of matches_ in
  // order (the matches point into the check).
  WatchCheck watchCheck_;
  std::vector<WatchMatch> watchMatches_;
  std::vector<RecorderReserve> recorderReserves_;
};
