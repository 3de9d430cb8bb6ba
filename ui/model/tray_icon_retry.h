// TrayIconRetry: how long the main window keeps trying to put its tray
// icon into a shell that is not ready (at log-on, or after the shell has
// restarted): once a second for a minute, then it gives up until the shell
// announces itself ("TaskbarCreated").
#pragma once

constexpr unsigned kTrayRetryIntervalMs = 1000;
constexpr int kTrayRetryAttempts = 60;

class TrayIconRetry {
 public:
  // An attempt failed where no retry was pending: retries begin.
  void begin() { attemptsLeft_ = kTrayRetryAttempts; }
  // After a retry whose result is `added`: whether to try once more.
  bool another(bool added);

 private:
  int attemptsLeft_ = 0;
};
