// Programme-level comparison of two page tables of one slot: which
// programmes a newer table adds, drops or moves. A programme is known by its
// channel name and title; several of the same title on one channel pair up
// in start order.
#pragma once

#include <string>
#include <vector>

class ProgrammeTable;

// One programme of a table, as the comparison sees it.
struct ProgrammeEntry {
  std::string channel;    // the header body of its column
  std::string title;      // ProgrammeCell::title
  std::string startTime;  // "HH:MM" (may be empty)
  int firstRow = 0;
  int rowSpan = 1;
};

struct ProgrammeMove {
  ProgrammeEntry before, after;
};

struct ProgrammeDiff {
  std::vector<ProgrammeEntry> added, removed;
  std::vector<ProgrammeMove> moved;  // same programme, other start or length
  bool empty() const { return added.empty() && removed.empty() && moved.empty(); }
};

// The channel names of a table's header row, in column order.
std::vector<std::string> channelsOf(const ProgrammeTable& table);
// Every programme (a cell with a body) of the channel columns, column by
// column, top to bottom.
std::vector<ProgrammeEntry> programmesOf(const ProgrammeTable& table);
ProgrammeDiff diffProgrammes(const ProgrammeTable& before, const ProgrammeTable& after);

// True when `after` is at least nearly as complete as `before`: it loses at
// most kMaxLostChannels of the old channels and keeps at least half as many
// programmes. What a refresh demands before a new page may replace a table.
bool keepsCompleteness(const ProgrammeTable& before, const ProgrammeTable& after);
constexpr int kMaxLostChannels = 3;
