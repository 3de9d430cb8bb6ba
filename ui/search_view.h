// SearchView: the programme list's fourth view, the matches of the week of
// a search (the dialog's query) or of the watch list. Its rows are
// `const ProgrammeRecord*` into the view's own matches, which change only
// in fillSearchRows (the list is refilled there). Main thread only.
#pragma once

#include <string>

#include "search/programme_query.h"
#include "ui/list_window.h"
#include "ui/model/row_look.h"

struct ProgrammeRecord;

// The query the search view lists from now on.
void setSearchQuery(const ProgrammeQuery& query);

// Finds the matches of the source anew over the cached week and appends
// them to `list` (suspended and cleared by the caller), the first that has
// not ended selected.
void fillSearchRows(ListWindow& list, int source);

bool lookOfSearchRow(LPARAM item, bool selected, RowLook& look);
// The detail pane's text for a row; false for no row.
bool searchRowDetail(LPARAM item, std::string& text);
// Enter or a double-click: hands the match to the recorder (its answer
// posted to `owner`) or to the recording tool.
void activateSearchRow(HWND owner, LPARAM item);

// The recording tool's arguments for a match, built by the other views'
// rule from the cell of its day's table. False when the cache no longer
// holds the programme.
bool matchReservationArguments(const ProgrammeRecord& record, std::string& arguments);
// The cache was written since the last rows were filled: the next match's
// day table is read again, not the one kept from before.
void forgetMatchDay();
