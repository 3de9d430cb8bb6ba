// Reservation through the recorder or the companion tool.
#include "ui/reserve_programme.h"

#include "app/application.h"
#include "guide/calendar.h"
#include "guide/guide_cache.h"
#include "programme/programme_table.h"
#include "recorder/recorder_client.h"
#include "ui/companion_launcher.h"
#include "ui/model/recorder_reservation.h"
#include "ui/model/reservation.h"

void reserveProgramme(HWND owner, const ProgrammeTable& day, const ProgrammeCell& cell, const ViewState& view) {
  SettingsStore& settings = Application::instance().settings();
  if (settings.recorder().empty()) return launchCompanion(reservationOf(day, cell, view));
  ProgrammeRecord record;
  if (dayProgrammeRecord(guideCache(settings), day, cell, view.day, record)) reserveInRecorder(owner, record);
}

bool reserveInRecorder(HWND owner, const ProgrammeRecord& record) {
  SettingsStore& settings = Application::instance().settings();
  if (settings.recorder().empty()) return false;
  RecorderClient client(settings.recorder(), guideCache(settings).clock());
  ReserveRequest request;
  RecorderResult result;
  if (!reserveRequestOf(record, request)) result.outcome = RecorderOutcome::NoChannelId;
  else result = client.add(request);
  WatchAnnouncement* said = new WatchAnnouncement(reservationAnnouncement(record, result));
  if (!PostMessageA(owner, kShowReservation, 0, reinterpret_cast<LPARAM>(said))) delete said;
  return true;
}

std::string reservationOf(const ProgrammeTable& day, const ProgrammeCell& cell, const ViewState& view) {
  static ProgrammeTable dayAfter;  // loadDay keeps a complete day until another is asked for
  guideCache(Application::instance().settings()).loadDay(dateFromDayNumber(view.day + 1), dayAfter);
  return reservationArguments(day, cell, view, &dayAfter);
}
