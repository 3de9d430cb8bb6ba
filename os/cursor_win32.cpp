#include "os/cursor.h"

#include <windows.h>

namespace os {

void* showWaitCursor() { return SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }

void restoreCursor(void* previous) { SetCursor(static_cast<HCURSOR>(previous)); }

}  // namespace os
