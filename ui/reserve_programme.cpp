// Reservation through the companion tool.
#include "ui/reserve_programme.h"

#include "app/application.h"
#include "guide/calendar.h"
#include "guide/guide_cache.h"
#include "programme/programme_table.h"
#include "ui/companion_launcher.h"
#include "ui/model/reservation.h"

void reserveProgramme(const ProgrammeTable& day, const ProgrammeCell& cell, const ViewState& view) {
  launchCompanion(reservationOf(day, cell, view));
}

std::string reservationOf(const ProgrammeTable& day, const ProgrammeCell& cell, const ViewState& view) {
  static ProgrammeTable dayAfter;  // loadDay keeps a complete day until another is asked for
  Application::instance().guide().loadDay(dateFromDayNumber(view.day + 1), dayAfter);
  return reservationArguments(day, cell, view, &dayAfter);
}
