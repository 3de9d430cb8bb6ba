// The wait cursor shown while a crawl checks the cache (nothing outside
// Windows).
#pragma once

namespace os {

// Shows the wait cursor; returns what to hand to restoreCursor.
void* showWaitCursor();
void restoreCursor(void* previous);

}  // namespace os
