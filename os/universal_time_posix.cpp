#include "os/universal_time.h"

#include <time.h>

namespace os {

LocalTime universalTime() {
  time_t now = ::time(nullptr);
  struct tm parts{};
  ::gmtime_r(&now, &parts);
  return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                   parts.tm_min,         parts.tm_sec,     parts.tm_wday};
}

}  // namespace os
