// DaySchedule: the programme records of one broadcast day, found again from
// the cells of its day table, so that the rows the lists show can be printed
// with the exports' own start and stop.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "listing/programme_record.h"

class ProgrammeTable;
struct ProgrammeCell;

// "MM/DD HH:MM-HH:MM channel title": the calendar date of the start, then
// the start and the stop (a stop after midnight reads earlier than its
// start; a programme without length has both the same). The channel name
// may hold spaces itself. With `weekday`, the date is followed by its day
// of the week, "12/05(土)".
std::string scheduleLine(const ProgrammeRecord& record, const std::string& title, bool weekday = false);
// The line's date and times alone.
std::string scheduleTimes(const ProgrammeRecord& record, bool weekday);
// The same two, appended to `out`: a search writes thousands of lines into
// one text.
void appendScheduleLine(std::string& out, const ProgrammeRecord& record, const std::string& title, bool weekday);
void appendScheduleTimes(std::string& out, const ProgrammeRecord& record, bool weekday);

class DaySchedule {
 public:
  // `records` of the broadcast date `broadcastDay` (a day number) and of the
  // day after, from collectListing, so that the day's last stops are cut as
  // the exports cut them.
  DaySchedule(const std::vector<ProgrammeRecord>& records, int broadcastDay);
  // The same, taking the records rather than copying them.
  DaySchedule(std::vector<ProgrammeRecord>&& records, int broadcastDay);

  // The record read from `cell` of the channel `channel`, a cell of `day`,
  // the day's table; null when the cell's start cannot be read.
  const ProgrammeRecord* recordOf(const ProgrammeTable& day, const std::string& channel,
                                  const ProgrammeCell& cell) const;

  // scheduleLine of the cell's record; without one, the broadcast date and
  // "??:??-??:??" in place of the times, so that the line keeps its fields.
  std::string lineOf(const ProgrammeTable& day, const std::string& channel, const ProgrammeCell& cell,
                     const std::string& title) const;

 private:
  void indexRecords();

  int broadcastDay_;
  std::vector<ProgrammeRecord> records_;
  // Each channel's records by start (the first of equal starts first): a
  // day of a household is thousands of records, found a few hundred times.
  std::unordered_map<std::string, std::vector<std::size_t>> byChannel_;
};
