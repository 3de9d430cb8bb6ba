// A programme of the window's day handed to the recorder.
#include "ui/model/recorder_reservation.h"

#include <algorithm>

#include "guide/guide_cache.h"
#include "listing/day_records.h"
#include "listing/listing.h"
#include "programme/programme_table.h"
#include "recorder/recorder_reservations.h"

namespace {
const char kRecorderReservation[] = "\x98\x5e\x89\xe6\x97\x5c\x96\xf1: ";  // 録画予約:
const char kConflictMark[] = "\x81\x6d\x8f\x64\x95\xa1\x81\x6e";                // ［重複］
}  // namespace

std::vector<ProgrammeRecord> reserveRecords(const std::vector<RecorderReserve>& reserves,
                                            const std::vector<ListingChannel>& channels) {
  std::vector<ProgrammeRecord> records;
  for (const RecorderReserve& reserve : reserves) {
    ProgrammeRecord record;
    record.channelId = std::to_string(reserve.channelId);
    record.channel = guideChannelName(channels, reserve.channelId);
    if (record.channel.empty()) record.channel = record.channelId;
    record.start = guideMinuteOfMilliseconds(reserve.startAt);
    record.stop = std::max(record.start, guideMinuteOfMilliseconds(reserve.endAt));
    record.title = reserve.isConflict ? kConflictMark + reserve.name : reserve.name;
    if (reserve.programId != 0) record.editExtra().broadcast.programmeId = reserve.programId;
    records.push_back(record);
  }
  return records;
}

bool dayProgrammeRecord(GuideCache& cache, const ProgrammeTable& day, const ProgrammeCell& cell, int broadcastDay,
                        ProgrammeRecord& record) {
  const ProgrammeCell* channel = day.channelOf(&cell);
  GuideMinute start = 0;
  if (!channel || !programmeStart(day, cell, broadcastDay, start)) return false;
  ListingRange range;
  range.from = dateFromDayNumber(broadcastDay);
  range.days = 1;
  range.channels = {channel->body};
  for (const ProgrammeRecord& found : collectListing(cache, range).programmes) {
    if (found.start != start) continue;
    record = found;
    return true;
  }
  return false;
}

std::vector<ListingChannel> channelsOfDay(GuideCache& cache, GuideMinute minute) {
  ListingRange range;
  range.from = dateFromDayNumber(broadcastDayOf(minute));
  range.days = 1;
  return collectListing(cache, range).channels;
}

WatchAnnouncement reservationAnnouncement(const ProgrammeRecord& record, const RecorderResult& result,
                                          const std::vector<ListingChannel>& channels) {
  WatchAnnouncement said;
  said.title = fitShiftJis(kRecorderReservation + record.title, kBalloonTitleBytes);
  std::string text = recorderOutcomeText(result.outcome);
  if (!result.answer.empty()) text += "\r\n" + result.answer;
  for (const RecorderReserve& reserve : result.conflicts) text += "\r\n" + reserveLine(reserve, guideChannelName(channels, reserve.channelId));
  said.text = fitShiftJis(text, kBalloonTextBytes);
  said.reserved = isReserved(result.outcome) ? 1 : 0;
  return said;
}
