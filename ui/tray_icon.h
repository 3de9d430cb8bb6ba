// TrayIcon: the main window's icon in the notification area. It adds the
// icon (asking a shell that is not ready again on the window's retry
// timer), puts it back when the shell starts again ("TaskbarCreated"),
// shows a balloon from it and removes it.
//
// Calling protocol: `add` once from WM_CREATE; hand the retry timer's
// ticks to `retry` and every message to `isShellRestart` first; `remove`
// from WM_DESTROY. Clicks come to the window as kTrayCallbackMessage.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "ui/model/tray_icon_retry.h"

struct WatchAnnouncement;

constexpr UINT kTrayCallbackMessage = WM_APP + 10;  // 0x800A

class TrayIcon {
 public:
  TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // The first icon of `iconFile` with the tip "Rokuban", for `window`.
  void add(HWND window, const std::string& iconFile);
  // The retry timer (kTrayRetryTimer) ticked.
  void retry();
  // True for the shell's announcement that it started again; the icon is
  // then put back.
  bool isShellRestart(UINT message);
  void showBalloon(const WatchAnnouncement& announcement);
  // Takes the icon out of the tray and frees it.
  void remove();

 private:
  bool put();
  void show();

  NOTIFYICONDATAA data_ = {};
  TrayIconRetry retry_;
  // Sent to every top-level window when the shell starts again: its tray
  // is empty then.
  UINT taskbarCreated_ = 0;
};
