// The time in UTC, for the dates of the HTTP headers. Exactly one of
// universal_time_win32.cpp and universal_time_posix.cpp is built.
#pragma once

#include "os/os.h"

namespace os {

// The current time in UTC, in the fields of LocalTime.
LocalTime universalTime();

}  // namespace os
