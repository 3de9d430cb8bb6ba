// Reservation through the companion tool.
#include "ui/reserve_programme.h"

#include "app/application.h"
#include "guide/calendar.h"
#include "guide/guide_cache.h"
#include "listing/programme_extras.h"
#include "programme/programme_table.h"
#include "ui/companion_launcher.h"
#include "ui/model/reservation.h"

void reserveProgramme(const ProgrammeTable& day, const ProgrammeCell& cell, const ViewState& view) {
  launchCompanion(reservationOf(day, cell, view));
}

std::string reservationOf(const ProgrammeTable& day, const ProgrammeCell& cell, const ViewState& view) {
  static ProgrammeTable dayAfter;  // loadDay keeps a complete day until another is asked for
  GuideCache& cache = Application::instance().guide();
  cache.loadDay(dateFromDayNumber(view.day + 1), dayAfter);
  // Without the next day, only the import's side file knows where a programme
  // running past the day's end stops.
  const ListingMinute kept = dayAfter.columnCount() == 0 ? keptStopOf(cache, day, cell, view.day) : 0;
  return reservationArguments(day, cell, view, &dayAfter, kept);
}
