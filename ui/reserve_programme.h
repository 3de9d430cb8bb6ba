// Handing a programme of the viewed day to the companion tool, which
// records it.
#pragma once

struct ProgrammeCell;

// Starts "Denpoz.exe" with the programme's reservation arguments.
void reserveProgramme(const ProgrammeCell& cell);
