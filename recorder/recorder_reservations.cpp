// Reserving the watch list's matches with the recorder.
#include "recorder/recorder_reservations.h"

#include <cstdio>

#include "search/match_line.h"
#include "watch/watch_memory.h"

namespace {

// 重なる予約:
const char kConflictsWith[] = "\x8f\x64\x82\xc8\x82\xe9\x97\x5c\x96\xf1: ";

std::string clockRange(long long startAt, long long endAt) {
  const DateTime start = dateTimeOfMinute(guideMinuteOfMilliseconds(startAt));
  const DateTime end = dateTimeOfMinute(guideMinuteOfMilliseconds(endAt));
  char text[40];
  std::snprintf(text, sizeof text, "%02d/%02d %02d:%02d-%02d:%02d", start.month, start.day, start.hour, start.minute,
                end.hour, end.minute);
  return text;
}

bool recorderGone(RecorderOutcome outcome) {
  return outcome == RecorderOutcome::Unreachable || outcome == RecorderOutcome::TimedOut;
}

}  // namespace

RecorderReservations reserveWithRecorder(RecorderClient& client, const std::vector<ProgrammeRecord>& toReserve) {
  RecorderReservations out;
  for (std::size_t i = 0; i < toReserve.size(); ++i) {
    const ProgrammeRecord& record = toReserve[i];
    ReserveRequest request;
    RecorderResult result;
    if (!reserveRequestOf(record, request)) result.outcome = RecorderOutcome::NoChannelId;
    else result = client.add(request);
    if (isReserved(result.outcome)) {
      out.reserved.push_back(record);
      out.heldAs.push_back(result.outcome == RecorderOutcome::AlreadyReserved ? result.reserveId : 0);
      continue;
    }
    out.refused.push_back({record, result});
    if (recorderGone(result.outcome)) {
      out.left = static_cast<int>(toReserve.size() - i - 1);
      break;
    }
  }
  return out;
}

std::vector<MovedReservation> movedReservations(const std::vector<RememberedChange>& changes,
                                                const SettingsStore& settings) {
  std::vector<MovedReservation> moved;
  for (const RememberedChange& change : changes) {
    if (!changesTime(change.kind) || change.kind == WatchChangeKind::cancelled) continue;
    ProgrammeRecord now;
    now.channelId = change.channelId;
    now.start = change.start;
    now.stop = change.stop;
    now.title = change.title;
    if (isRemembered(settings, kReservedSection, now)) moved.push_back({now, change});
  }
  return moved;
}

const RecorderReserve* followingReserve(const MovedReservation& moved, const std::vector<RecorderReserve>& reserves) {
  ReserveRequest request;
  reserveRequestOf(moved.now, request);
  for (const RecorderReserve& reserve : reserves) {
    if (request.programId > 0 && reserve.programId == request.programId) return &reserve;
    if (request.channelId > 0 && reserve.channelId == request.channelId && reserve.startAt == request.startAt)
      return &reserve;
  }
  return nullptr;
}

std::string reserveLine(const RecorderReserve& reserve, const std::string& channelName) {
  std::string line = "#" + std::to_string(reserve.id) + " " + clockRange(reserve.startAt, reserve.endAt) + " " +
                     (channelName.empty() ? std::to_string(reserve.channelId) : channelName) + " " + reserve.name;
  if (reserve.isConflict) line += " [conflict]";
  if (reserve.isSkip) line += " [skip]";
  return line;
}

std::string guideChannelName(const std::vector<ListingChannel>& channels, long long channelId) {
  const std::string id = std::to_string(channelId);
  for (const ListingChannel& channel : channels)
    if (channel.id == id) return channel.name;
  return std::string();
}

std::string refusalLine(const RecorderRefusal& refusal, bool english, const std::vector<ListingChannel>& channels) {
  std::string line = matchLine(refusal.record) + ": " +
                     (english ? recorderOutcomeEnglish(refusal.result.outcome) : recorderOutcomeText(refusal.result.outcome));
  if (!refusal.result.answer.empty()) line += " (" + refusal.result.answer + ")";
  if (!refusal.result.conflicts.empty()) {
    line += english ? "; conflicts with " : std::string("; ") + kConflictsWith;
    for (std::size_t i = 0; i < refusal.result.conflicts.size(); ++i) {
      const RecorderReserve& conflict = refusal.result.conflicts[i];
      line += (i ? ", " : "") + reserveLine(conflict, guideChannelName(channels, conflict.channelId));
    }
  }
  return line;
}
