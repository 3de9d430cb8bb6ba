// Handing a programme of a day to the companion tool, which records it.
#pragma once

#include <string>

#include "ui/model/view_state.h"

class ProgrammeTable;
struct ProgrammeCell;

// Starts "Denpoz.exe" with the reservation arguments of `cell`, a
// programme of `day` (the table of `view`'s day).
void reserveProgramme(const ProgrammeTable& day, const ProgrammeCell& cell, const ViewState& view);

// Those arguments, with the day after read from the cache so that a
// programme still running at 05:00 gets its own end.
std::string reservationOf(const ProgrammeTable& day, const ProgrammeCell& cell, const ViewState& view);
