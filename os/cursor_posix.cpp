#include "os/cursor.h"

namespace os {

void* showWaitCursor() { return nullptr; }

void restoreCursor(void*) {}

}  // namespace os
