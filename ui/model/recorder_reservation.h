// RecorderReservation: Enter on a programme when the setting "recorder" is
// set: the programme's record as the recorder wants it (its ids from the
// slot's extras), and the balloon that says what the recorder answered.
#pragma once

#include <vector>

#include "listing/listing.h"
#include "listing/programme_record.h"
#include "recorder/recorder_client.h"
#include "ui/model/watch_announcement.h"

class GuideCache;
class ProgrammeTable;
struct ProgrammeCell;

// The record of `cell`, a programme of `day` (the day table of the
// broadcast day `broadcastDay`), from the cache's listing of that day;
// false when the listing does not hold it.
bool dayProgrammeRecord(GuideCache& cache, const ProgrammeTable& day, const ProgrammeCell& cell, int broadcastDay,
                        ProgrammeRecord& record);

// The recorder's reserves as rows of the window's reserves view: each on
// the guide's channel of its id (else the id), its name marked "［重複］"
// when it conflicts, in the recorder's order.
std::vector<ProgrammeRecord> reserveRecords(const std::vector<RecorderReserve>& reserves,
                                            const std::vector<ListingChannel>& channels);

// The guide's channels of the broadcast day of `minute`, to name the
// recorder's channel ids by.
std::vector<ListingChannel> channelsOfDay(GuideCache& cache, GuideMinute minute);

// "録画予約: <title>" over the recorder's answer in Japanese (and what it
// answered, and the reserves a conflict meets, on the names `channels`
// gives their ids).
WatchAnnouncement reservationAnnouncement(const ProgrammeRecord& record, const RecorderResult& result,
                                          const std::vector<ListingChannel>& channels);
