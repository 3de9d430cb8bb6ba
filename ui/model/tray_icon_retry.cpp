// The tray icon's retries while the shell is not ready.
#include "ui/model/tray_icon_retry.h"

bool TrayIconRetry::another(bool added) {
  if (added || attemptsLeft_ <= 1) {
    attemptsLeft_ = 0;
    return false;
  }
  --attemptsLeft_;
  return true;
}
