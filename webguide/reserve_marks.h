// ReserveMarks: which programmes of the guide the recorder (setting
// "recorder") holds, for the web guide's marks; the web guide only shows
// them, it places no reservation. The reserves are asked at most once a
// minute, with a short time limit, whatever the number of page requests.
#pragma once

#include <cstdint>
#include <mutex>
#include <set>
#include <utility>

#include "listing/programme_record.h"

class Clock;
class SettingsStore;

class ReserveMarks {
 public:
  // By programme id, or by channel id and start.
  bool holds(const ProgrammeRecord& record) const;
  bool empty() const { return programmeIds_.empty() && channelStarts_.empty(); }
  void add(long long programmeId, long long channelId, long long startAt);

 private:
  std::set<long long> programmeIds_;
  std::set<std::pair<long long, long long>> channelStarts_;  // channel id, start in ms
};

// Safe to use from several threads at once.
class RecorderReserveCache {
 public:
  // The marks of the recorder of `settings`; none when none is set or it
  // did not answer (asked again after a minute).
  ReserveMarks marks(const SettingsStore& settings, Clock& clock);

 private:
  std::mutex lock_;
  std::int64_t askedAt_ = -1;  // seconds since 1970; -1 never
  ReserveMarks marks_;
};
