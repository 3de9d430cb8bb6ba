// Reservation through the companion tool.
#include "ui/reserve_programme.h"

#include "ui/companion_launcher.h"
#include "ui/guide_view.h"
#include "ui/model/reservation.h"

void reserveProgramme(const ProgrammeCell& cell) {
  launchCompanion(reservationArguments(dayTable(), cell, viewState()));
}
