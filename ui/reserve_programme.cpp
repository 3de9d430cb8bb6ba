// Reservation through the recorder or the companion tool.
#include "ui/reserve_programme.h"

#include <thread>

#include "calendar/calendar.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "listing/programme_extras.h"
#include "net/clock.h"
#include "recorder/recorder_client.h"
#include "ui/companion_launcher.h"
#include "ui/model/recorder_reservation.h"
#include "ui/model/reservation.h"

void ProgrammeReserver::reserveProgramme(HWND owner, const ProgrammeTable& day, const ProgrammeCell& cell,
                                         const ViewState& view) {
  if (settings_.recorder().empty()) return companion_.launch(reservationOf(day, cell, view));
  ProgrammeRecord record;
  if (dayProgrammeRecord(cache_, day, cell, view.day, record)) reserveInRecorder(owner, record);
}

bool ProgrammeReserver::reserveInRecorder(HWND owner, const ProgrammeRecord& record) {
  const std::string recorder = settings_.recorder();
  if (recorder.empty()) return false;
  askRecorderToReserve(owner, recorder, record, channelsOfDay(cache_, record.start));
  return true;
}

void askRecorderToReserve(HWND owner, const std::string& recorderUrl, const ProgrammeRecord& record,
                          const std::vector<ListingChannel>& channels) {
  // A recorder that does not answer may take the client's whole time limit:
  // the window goes on meanwhile, and the answer comes as a message.
  std::thread([owner, recorderUrl, record, channels] {
    RecorderClient client(recorderUrl, systemClock());
    ReserveRequest request;
    RecorderResult result;
    if (!reserveRequestOf(record, request)) result.outcome = RecorderOutcome::NoChannelId;
    else result = client.add(request);
    WatchAnnouncement* said = new WatchAnnouncement(reservationAnnouncement(record, result, channels));
    if (!PostMessageA(owner, kShowReservation, 0, reinterpret_cast<LPARAM>(said))) delete said;
  }).detach();
}

void askRecorderForReserves(HWND owner, const std::string& recorderUrl) {
  std::thread([owner, recorderUrl] {
    RecorderClient client(recorderUrl, systemClock());
    auto* reserves = new std::vector<RecorderReserve>;
    if (client.list(*reserves).outcome != RecorderOutcome::Done) reserves->clear();
    if (!PostMessageA(owner, kShowRecorderReserves, 0, reinterpret_cast<LPARAM>(reserves))) delete reserves;
  }).detach();
}

std::string ProgrammeReserver::reservationOf(const ProgrammeTable& day, const ProgrammeCell& cell,
                                             const ViewState& view) {
  cache_.loadDay(dateFromDayNumber(view.day + 1), dayAfter_);
  // Without the next day, only the import's side file knows where a programme
  // running past the day's end stops.
  const GuideMinute kept = dayAfter_.columnCount() == 0 ? keptStopOf(cache_, day, cell, view.day) : 0;
  return reservationArguments(day, cell, view, &dayAfter_, kept);
}
