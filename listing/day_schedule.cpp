// Records found by their cells, and their schedule lines.
#include "listing/day_schedule.h"

#include <cstdio>

#include "listing/day_records.h"

namespace {

std::string joinedLine(const char* times, const std::string& channel, const std::string& title) {
  return std::string(times) + " " + channel + " " + title;
}

}  // namespace

std::string scheduleTimes(const ProgrammeRecord& record, bool weekday) {
  const DateTime start = dateTimeOfMinute(record.start);
  const DateTime stop = dateTimeOfMinute(record.stop);
  std::string day;
  if (weekday) {
    const int startDay = dayNumber(start.year, start.month, start.day);
    day = std::string("(") + weekdayKanji(dateFromDayNumber(startDay).dayOfWeek) + ")";
  }
  char times[48];
  std::snprintf(times, sizeof times, "%02d/%02d%s %02d:%02d-%02d:%02d", start.month, start.day, day.c_str(),
                start.hour, start.minute, stop.hour, stop.minute);
  return times;
}

std::string scheduleLine(const ProgrammeRecord& record, const std::string& title, bool weekday) {
  return joinedLine(scheduleTimes(record, weekday).c_str(), record.channel, title);
}

DaySchedule::DaySchedule(const std::vector<ProgrammeRecord>& records, int broadcastDay)
    : broadcastDay_(broadcastDay) {
  // finishRecords left one record to a channel and start.
  for (const ProgrammeRecord& record : records) records_.emplace(std::make_pair(record.channel, record.start), record);
}

DaySchedule::DaySchedule(std::vector<ProgrammeRecord>&& records, int broadcastDay) : broadcastDay_(broadcastDay) {
  for (ProgrammeRecord& record : records) {
    auto key = std::make_pair(record.channel, record.start);
    records_.emplace(std::move(key), std::move(record));
  }
}

const ProgrammeRecord* DaySchedule::recordOf(const ProgrammeTable& day, const std::string& channel,
                                             const ProgrammeCell& cell) const {
  GuideMinute start;
  if (!programmeStart(day, cell, broadcastDay_, start)) return nullptr;
  const auto found = records_.find(std::make_pair(channel, start));
  return found == records_.end() ? nullptr : &found->second;
}

std::string DaySchedule::lineOf(const ProgrammeTable& day, const std::string& channel, const ProgrammeCell& cell,
                                const std::string& title) const {
  if (const ProgrammeRecord* record = recordOf(day, channel, cell)) return scheduleLine(*record, title);
  const DateTime date = dateTimeOfMinute(guideMinute(broadcastDay_, 0));
  char times[32];
  std::snprintf(times, sizeof times, "%02d/%02d ?\?:?\?-?\?:?\?", date.month, date.day);
  return joinedLine(times, channel, title);
}
