// The three programme views over the day table, and the programme rows'
// look.
#include "ui/model/programme_view.h"

#include "calendar/calendar.h"
#include "programme/programme_table.h"

namespace {

// Calls visit(cell, row) for each programme of a channel column from row 1
// on, stopping before `endRow`. Empty positions and empty slots advance by
// one row, programmes by their span.
template <typename Visit>
void walkColumn(const ProgrammeTable& table, std::size_t column, std::size_t endRow, Visit visit) {
  std::size_t row = 1;
  while (row < endRow) {
    const ProgrammeCell* cell = table.cellAt(column, row);
    if (cell && !cell->body.empty()) {
      visit(*cell, row);
      // A span below 1 never lies in a sound grid; stepping one row keeps
      // the walk finite if one does.
      row += cell->rowSpan > 0 ? static_cast<std::size_t>(cell->rowSpan) : 1;
    } else {
      row += 1;
    }
  }
}

std::size_t dayRows(const ProgrammeTable& table) { return table.rowCount(0); }

// A column without a header (never in a sound table) is left out rather
// than listed as an empty row.
bool appendHeader(const ProgrammeTable& table, std::size_t column, ProgrammeListing& listing) {
  const ProgrammeCell* header = table.cellAt(column, 0);
  if (!header) return false;
  listing.items.push_back(header);
  return true;
}

}  // namespace

bool isChannelHeader(const ProgrammeCell& cell) { return cell.timeText.empty(); }

std::string titleLine(const ProgrammeCell& cell) { return cell.body.substr(0, cell.body.find('\r')); }

ProgrammeListing timeViewListing(const ProgrammeTable& table, int hour) {
  ProgrammeListing listing;
  HourRows rows = table.findHour(hour);
  const std::size_t first = static_cast<std::size_t>(rows.firstRow);
  const std::size_t end = static_cast<std::size_t>(rows.endRow);
  for (std::size_t column = 1; column < table.columnCount(); ++column) {
    if (!appendHeader(table, column, listing)) continue;
    walkColumn(table, column, end, [&](const ProgrammeCell& cell, std::size_t row) {
      if (row >= first || row + static_cast<std::size_t>(cell.rowSpan) > first)
        listing.items.push_back(&cell);
    });
  }
  return listing;
}

// The selection falls on the first programme that starts at `hour` or
// later; when none does, on the channel's last programme in the afternoon
// and evening, or its first one in the morning.
ProgrammeListing channelViewListing(const ProgrammeTable& table, int column, int hour) {
  ProgrammeListing listing;
  hour = broadcastHour(hour);
  int firstProgramme = -1;
  int firstFromHour = -1;
  for (std::size_t i = 1; i < table.columnCount(); ++i) {
    if (!appendHeader(table, i, listing)) continue;
    if (static_cast<int>(i) != column) continue;
    firstProgramme = static_cast<int>(listing.items.size());
    walkColumn(table, i, dayRows(table), [&](const ProgrammeCell& cell, std::size_t) {
      if (firstFromHour < 0 && cell.number >= hour)
        firstFromHour = static_cast<int>(listing.items.size());
      listing.items.push_back(&cell);
    });
    if (firstFromHour >= 0) {
      listing.selected = firstFromHour;
    } else if (hour > 12) {
      // The channel's last programme, or its header when it has none.
      listing.selected = static_cast<int>(listing.items.size()) - 1;
    } else if (firstProgramme < static_cast<int>(listing.items.size())) {
      listing.selected = firstProgramme;
    }
  }
  return listing;
}

ProgrammeListing genreViewListing(const ProgrammeTable& table, int colour) {
  ProgrammeListing listing;
  for (std::size_t column = 1; column < table.columnCount(); ++column) {
    if (!appendHeader(table, column, listing)) continue;
    walkColumn(table, column, dayRows(table), [&](const ProgrammeCell& cell, std::size_t) {
      if (cell.background == colour) listing.items.push_back(&cell);
    });
  }
  return listing;
}

ProgrammeListing listProgrammes(const ProgrammeTable& table, const ViewState& view) {
  switch (view.mode) {
    case kChannelView: return channelViewListing(table, view.key, view.hour);
    case kGenreView: return genreViewListing(table, view.key);
    default: return timeViewListing(table, view.hour);
  }
}

RowLook programmeRowLook(const ProgrammeCell& cell, bool selected, const SystemColours& system) {
  RowLook look;
  if (isChannelHeader(cell)) {
    look = RowLook{cell.body, system.highlight, system.highlightText, true};
  } else {
    look = RowLook{cell.timeText + " " + titleLine(cell), kBlack, colourRefFromRgb(cell.background), false};
  }
  if (selected) {
    look.textColour = look.background;
    look.background = system.highlight;
  }
  return look;
}

bool detailPaneText(const ProgrammeCell* cell, std::string& text) {
  if (!cell || isChannelHeader(*cell)) return false;
  text = cell->body;
  return true;
}

Activation activationOf(const ProgrammeCell* cell) {
  if (!cell) return Activation::kNothing;
  return isChannelHeader(*cell) ? Activation::kShowChannel : Activation::kReserve;
}
