// SearchListing: the programme list's fourth view, the matches of a search
// or of the watch list across the cached week: one row per programme, its
// look, the row selected first, and the way back from a match to the cell
// of its day table (for the detail pane and the reservation, which the
// other views take from the cell). Plain functions; the window calls them.
#pragma once

#include <string>
#include <vector>

#include "listing/programme_record.h"
#include "ui/model/row_look.h"
#include "ui/model/view_state.h"

class ProgrammeTable;
struct ProgrammeCell;
struct WatchMatch;

// The broadcast day (day number) a programme belongs to.
int broadcastDayOf(const ProgrammeRecord& record);
// The view of that day, as the reservation takes it.
ViewState dayViewOf(const ProgrammeRecord& record);

// "MM/DD(曜) HH:MM channel title": the broadcast date, and the start on
// the broadcast day's clock (24:00..28:59 after midnight), as the other
// views write it.
std::string searchRowText(const ProgrammeRecord& record);
// What the watch view adds to a --once entry's re-air: "（12/08 20:00の再放送）",
// the airing it repeats (a programme identity, watch_memory.h).
std::string reairNote(const std::string& firstAiring);
// Black on the genre's colour (white without a genre); selected rows swap
// to the highlight background as in the other views.
RowLook searchRowLook(const ProgrammeRecord& record, bool selected, const SystemColours& system);
// A watch view's row: the search row's look, a re-air's with its note.
RowLook watchRowLook(const WatchMatch& match, bool selected, const SystemColours& system);
// The first programme that has not ended at `now`, else the last; -1 when
// there are none.
int firstSearchRowSelected(const std::vector<ProgrammeRecord>& rows, GuideMinute now);

// The programme cell of `record` in `day`, the day table of its broadcast
// day: its channel's column, the cell starting at its start. Null when the
// table does not hold it (a cache changed since the search).
const ProgrammeCell* findRecordCell(const ProgrammeTable& day, const ProgrammeRecord& record);
// The detail pane's text for a match: the cell's body, or without the cell
// the title and the description.
std::string searchDetailText(const ProgrammeRecord& record, const ProgrammeCell* cell);
// How many the view lists, "検索: 12件" or "ウォッチ: 3件" (a SearchSource);
// for none, "（見つかりませんでした）" after it. The detail pane ends with it,
// and says it alone when no row is selected.
std::string searchCountText(int source, std::size_t count);
