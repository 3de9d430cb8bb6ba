// The programme records of one broadcast day's table.
#pragma once

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

// Appends a record for every programme of `day` (a day table from loadDay)
// of the broadcast date `broadcastDay` (a day number), channel by channel in
// column order, each channel's programmes from the top, walked as the lists
// walk them. A cell without a readable start time is left out. Stops follow
// the end-time rule; one that would lie before its start is taken on the
// next calendar day, and overlaps are left to finishRecords. With a sieve,
// a programme it refuses gets a record of its channel and times only,
// marked `refused`.
void appendDayRecords(const ProgrammeTable& day, int broadcastDay, ChannelIds& ids,
                      std::vector<ProgrammeRecord>& records, RecordDetail detail = RecordDetail::Whole,
                      const ProgrammeSieve* sieve = nullptr);

// Sorts by channel (in the order of `channelOrder`, channel names) and
// start, makes records of one channel and start one (the first's texts,
// the last's stop: a programme running at 05:00 ends the one day's table
// and opens the next, which knows its end), and cuts each stop back to the
// start of the channel's next programme, so that no two programmes of a
// channel overlap (across days too) and none ends at its start. Records of
// channels not in `channelOrder` come last. Then the records a sieve
// refused go; one that began a programme running over 05:00 takes the
// next day's record of it along.
void finishRecords(std::vector<ProgrammeRecord>& records, const std::vector<std::string>& channelOrder);
