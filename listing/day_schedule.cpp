// Records found by their cells, and their schedule lines.
#include "listing/day_schedule.h"

#include <algorithm>
#include <cstdio>

#include "listing/day_records.h"
#include "listing/zero_padded.h"

namespace {

// `times`, then the channel and the title, in the room of `times`.
std::string joinedLine(std::string times, const std::string& channel, const std::string& title) {
  times.reserve(times.size() + 2 + channel.size() + title.size());
  times += ' ';
  times += channel;
  times += ' ';
  times += title;
  return times;
}

}  // namespace

void appendScheduleTimes(std::string& out, const ProgrammeRecord& record, bool weekday) {
  // Written digit by digit into a buffer appended once: a search prints
  // thousands of these lines.
  const DateTime start = dateTimeOfMinute(record.start);
  const DateTime stop = dateTimeOfMinute(record.stop);
  char times[40];
  char* at = writeTwoDigits(times, start.month);
  *at++ = '/';
  at = writeTwoDigits(at, start.day);
  if (weekday) {
    *at++ = '(';
    for (const char* kanji = weekdayKanji(weekdayOfDayNumber(dayNumber(start.year, start.month, start.day))); *kanji;)
      *at++ = *kanji++;
    *at++ = ')';
  }
  *at++ = ' ';
  at = writeTwoDigits(at, start.hour);
  *at++ = ':';
  at = writeTwoDigits(at, start.minute);
  *at++ = '-';
  at = writeTwoDigits(at, stop.hour);
  *at++ = ':';
  at = writeTwoDigits(at, stop.minute);
  out.append(times, static_cast<std::size_t>(at - times));
}

std::string scheduleTimes(const ProgrammeRecord& record, bool weekday) {
  std::string times;
  times.reserve(32);
  appendScheduleTimes(times, record, weekday);
  return times;
}

void appendScheduleLine(std::string& out, const ProgrammeRecord& record, const std::string& title, bool weekday) {
  appendScheduleTimes(out, record, weekday);
  out += ' ';
  out += record.channel;
  out += ' ';
  out += title;
}

std::string scheduleLine(const ProgrammeRecord& record, const std::string& title, bool weekday) {
  std::string line;
  line.reserve(32 + record.channel.size() + title.size());
  appendScheduleLine(line, record, title, weekday);
  return line;
}

DaySchedule::DaySchedule(const std::vector<ProgrammeRecord>& records, int broadcastDay)
    : broadcastDay_(broadcastDay), records_(records) {
  indexRecords();
}

DaySchedule::DaySchedule(std::vector<ProgrammeRecord>&& records, int broadcastDay)
    : broadcastDay_(broadcastDay), records_(std::move(records)) {
  indexRecords();
}

void DaySchedule::indexRecords() {
  for (std::size_t i = 0; i < records_.size(); ++i) byChannel_[records_[i].channel].push_back(i);
  const auto byStart = [this](std::size_t a, std::size_t b) { return records_[a].start < records_[b].start; };
  // finishRecords leaves them in order already.
  for (auto& channel : byChannel_) {
    if (!std::is_sorted(channel.second.begin(), channel.second.end(), byStart))
      std::stable_sort(channel.second.begin(), channel.second.end(), byStart);
  }
}

const ProgrammeRecord* DaySchedule::recordOf(const ProgrammeTable& day, const std::string& channel,
                                             const ProgrammeCell& cell) const {
  GuideMinute start;
  if (!programmeStart(day, cell, broadcastDay_, start)) return nullptr;
  const auto found = byChannel_.find(channel);
  if (found == byChannel_.end()) return nullptr;
  const std::vector<std::size_t>& starts = found->second;
  const auto at = std::lower_bound(starts.begin(), starts.end(), start,
                                   [this](std::size_t index, GuideMinute value) { return records_[index].start < value; });
  return at != starts.end() && records_[*at].start == start ? &records_[*at] : nullptr;
}

std::string DaySchedule::lineOf(const ProgrammeTable& day, const std::string& channel, const ProgrammeCell& cell,
                                const std::string& title) const {
  if (const ProgrammeRecord* record = recordOf(day, channel, cell)) return scheduleLine(*record, title);
  const DateTime date = dateTimeOfMinute(guideMinute(broadcastDay_, 0));
  char times[32];
  std::snprintf(times, sizeof times, "%02d/%02d ?\?:?\?-?\?:?\?", date.month, date.day);
  return joinedLine(times, channel, title);
}
