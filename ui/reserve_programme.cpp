// Reservation through the recorder or the companion tool.
#include "ui/reserve_programme.h"

#include <thread>

#include "app/application.h"
#include "calendar/calendar.h"
#include "guide/guide_cache.h"
#include "listing/programme_extras.h"
#include "net/clock.h"
#include "programme/programme_table.h"
#include "recorder/recorder_client.h"
#include "ui/companion_launcher.h"
#include "ui/model/recorder_reservation.h"
#include "ui/model/reservation.h"

void reserveProgramme(HWND owner, const ProgrammeTable& day, const ProgrammeCell& cell, const ViewState& view) {
  SettingsStore& settings = Application::instance().settings();
  if (settings.recorder().empty()) return launchCompanion(reservationOf(day, cell, view));
  ProgrammeRecord record;
  if (dayProgrammeRecord(Application::instance().guide(), day, cell, view.day, record)) reserveInRecorder(owner, record);
}

bool reserveInRecorder(HWND owner, const ProgrammeRecord& record) {
  const std::string recorder = Application::instance().settings().recorder();
  if (recorder.empty()) return false;
  askRecorderToReserve(owner, recorder, record, channelsOfDay(Application::instance().guide(), record.start));
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

std::string reservationOf(const ProgrammeTable& day, const ProgrammeCell& cell, const ViewState& view) {
  static ProgrammeTable dayAfter;  // loadDay keeps a complete day until another is asked for
  GuideCache& cache = Application::instance().guide();
  cache.loadDay(dateFromDayNumber(view.day + 1), dayAfter);
  // Without the next day, only the import's side file knows where a programme
  // running past the day's end stops.
  const GuideMinute kept = dayAfter.columnCount() == 0 ? keptStopOf(cache, day, cell, view.day) : 0;
  return reservationArguments(day, cell, view, &dayAfter, kept);
}
