// ProgrammeView: what the programme list shows of the day table in each
// view, which row it selects, how a row looks, what the detail pane says
// and what activating a row does. Plain functions of the table and the
// view state; the list window only calls them and paints.
//
// The listed pointers point into `table` and are valid only until the
// table changes: list again after every reload.
#pragma once

#include <string>
#include <vector>

#include "ui/model/row_look.h"
#include "ui/model/view_state.h"

class ProgrammeTable;
struct ProgrammeCell;

struct ProgrammeListing {
  std::vector<const ProgrammeCell*> items;  // headers and programmes, never null
  int selected = -1;                        // the row to select, -1 for none
};

// Each channel column (1..n-1) with its header first; see the view modes.
ProgrammeListing listProgrammes(const ProgrammeTable& table, const ViewState& view);

// The single views. Time view: every programme that runs during `hour`.
ProgrammeListing timeViewListing(const ProgrammeTable& table, int hour);
// Channel view: every programme of `column`, the first one that starts at
// `hour` or later selected (see the .cpp for the fall-backs).
ProgrammeListing channelViewListing(const ProgrammeTable& table, int column, int hour);
// Genre view: every programme whose background is `colour`.
ProgrammeListing genreViewListing(const ProgrammeTable& table, int colour);

// A header is a cell without a start time.
bool isChannelHeader(const ProgrammeCell& cell);
// A programme's title line: its body up to the first CR.
std::string titleLine(const ProgrammeCell& cell);

// Start time, a space and the title line (up to the first CR) of a
// programme; the channel name of a header, drawn in the highlight colour
// and bold. Selected rows swap to the highlight background, their text
// taking the row's own background colour.
RowLook programmeRowLook(const ProgrammeCell& cell, bool selected, const SystemColours& system);

// The detail pane's new text when `cell` becomes selected: its body, for a
// programme. False (leave the pane as it is) for a header or no cell.
bool detailPaneText(const ProgrammeCell* cell, std::string& text);

enum class Activation { kNothing, kShowChannel, kReserve };
// Enter, right arrow or a double-click on a row: a header opens its
// channel's view (its number is its column), a programme is reserved.
Activation activationOf(const ProgrammeCell* cell);
