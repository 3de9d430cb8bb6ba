// The recorder's reserves as marks of the web guide.
#include "webguide/reserve_marks.h"

#include <vector>

#include "config/settings_store.h"
#include "net/clock.h"
#include "recorder/recorder_client.h"

namespace {
constexpr int kAskEverySeconds = 60;
constexpr int kTimeLimitSeconds = 5;
constexpr int kReadTimeoutMilliseconds = 3000;
}  // namespace

bool ReserveMarks::holds(const ProgrammeRecord& record) const {
  const long long programmeId = record.extra().broadcast.programmeId;
  if (programmeId > 0 && programmeIds_.count(programmeId)) return true;
  ReserveRequest request;
  return reserveRequestOf(record, request) && request.channelId > 0 &&
         channelStarts_.count({request.channelId, request.startAt}) != 0;
}

void ReserveMarks::add(long long programmeId, long long channelId, long long startAt) {
  if (programmeId > 0) programmeIds_.insert(programmeId);
  channelStarts_.insert({channelId, startAt});
}

ReserveMarks RecorderReserveCache::marks(const SettingsStore& settings, Clock& clock) {
  const std::string recorder = settings.recorder();
  if (recorder.empty()) return ReserveMarks();
  std::lock_guard<std::mutex> hold(lock_);
  const std::int64_t now = clock.nowSeconds();
  if (askedAt_ >= 0 && now - askedAt_ < kAskEverySeconds) return marks_;
  askedAt_ = now;
  marks_ = ReserveMarks();
  RecorderClient client(recorder, clock);
  client.setTimeLimit(kTimeLimitSeconds);
  client.setReadTimeout(kReadTimeoutMilliseconds);
  std::vector<RecorderReserve> reserves;
  if (client.list(reserves).outcome != RecorderOutcome::Done) return marks_;
  for (const RecorderReserve& reserve : reserves)
    if (!reserve.isSkip) marks_.add(reserve.programId, reserve.channelId, reserve.startAt);
  return marks_;
}
