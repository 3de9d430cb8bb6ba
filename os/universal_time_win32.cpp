#include "os/universal_time.h"

#include <windows.h>

namespace os {

LocalTime universalTime() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wDayOfWeek};
}

}  // namespace os
