// The programme records of one broadcast day's table.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "listing/programme_record.h"

class ChannelIds;
class ProgrammeSieve;
class ProgrammeTable;
struct ProgrammeCell;

// The start of `cell`, a programme of `day`, the day table of the broadcast
// date `broadcastDay` (see programmeStartMinutes); false when its time
// cannot be read.
bool programmeStart(const ProgrammeTable& day, const ProgrammeCell& cell, int broadcastDay, GuideMinute& start);

// A programme as finishing sees it: its channel, start and stop, and the
// record it stands for (kNoRecord for one a sieve refused).
struct ProgrammeTimes {
  const std::string* channel;
  GuideMinute start;
  GuideMinute stop;
  std::size_t record;
};
constexpr std::size_t kNoRecord = static_cast<std::size_t>(-1);

// A sieve, and the times of every programme appended through it, kept or
// refused, in the order they came; `channels` holds the names they point to.
struct SievedTimes {
  const ProgrammeSieve* sieve = nullptr;
  std::set<std::string> channels;
  std::vector<ProgrammeTimes> times;
};

// Appends a record for every programme of `day` (a day table from loadDay)
// of the broadcast date `broadcastDay` (a day number), channel by channel in
// column order, each channel's programmes from the top, walked as the lists
// walk them. A cell without a readable start time is left out. Stops follow
// the end-time rule; one that would lie before its start is taken on the
// next calendar day, and overlaps are left to finishRecords. With `sieved`,
// only the programmes its sieve keeps get records, and every programme its
// times.
void appendDayRecords(const ProgrammeTable& day, int broadcastDay, ChannelIds& ids,
                      std::vector<ProgrammeRecord>& records, RecordDetail detail = RecordDetail::Whole,
                      SievedTimes* sieved = nullptr);

// Sorts by channel (in the order of `channelOrder`, channel names) and
// start, makes records of one channel and start one (the first's texts,
// the last's stop: a programme running at 05:00 ends the one day's table
// and opens the next, which knows its end), and cuts each stop back to the
// start of the channel's next programme, so that no two programmes of a
// channel overlap (across days too) and none ends at its start. Records of
// channels not in `channelOrder` come last.
void finishRecords(std::vector<ProgrammeRecord>& records, const std::vector<std::string>& channelOrder);
// The same for records appended through a sieve: its `times` are sorted,
// joined and cut, refused programmes among them, and the records follow;
// a record joined to a refused programme that began before it goes.
void finishRecords(std::vector<ProgrammeRecord>& records, std::vector<ProgrammeTimes>& times,
                   const std::vector<std::string>& channelOrder);
