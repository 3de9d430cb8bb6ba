// The search dialog (modal): words, a channel and a genre. OK with a query
// that runs closes it; one that cannot run is named in the dialog, which
// stays open.
#pragma once

#include <windows.h>

#include "search/programme_query.h"

class ProgrammeTable;

// True with `query` when the user chose OK; `day` (the viewed day table)
// gives the channel choices. `module` holds the dialog's template.
bool openSearchDialog(HWND owner, HINSTANCE module, const ProgrammeTable& day, ProgrammeQuery& query);
