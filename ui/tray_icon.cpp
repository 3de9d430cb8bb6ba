// The tray icon: adding it, its retries, the balloon and its removal.
#include "ui/tray_icon.h"

#include "ui/model/resource_ids.h"
#include "ui/model/watch_announcement.h"

void TrayIcon::add(HWND window, const std::string& iconFile) {
  data_ = NOTIFYICONDATAA{};
  // The first-version record: its size depends on the pointer width.
  data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data_.hWnd = window;
  data_.uID = 1;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = kTrayCallbackMessage;
  ExtractIconExA(iconFile.c_str(), 0, nullptr, &data_.hIcon, 1);
  lstrcpynA(data_.szTip, "Rokuban", sizeof data_.szTip);
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  show();
}

// Added, or already there: the shell may announce itself while it still
// holds the icon.
bool TrayIcon::put() {
  return Shell_NotifyIconA(NIM_ADD, &data_) || Shell_NotifyIconA(NIM_MODIFY, &data_);
}

// Without the icon a hidden window could never be shown again: a shell that
// is not ready yet is asked again every second for a while.
void TrayIcon::show() {
  if (put()) {
    KillTimer(data_.hWnd, kTrayRetryTimer);
    return;
  }
  retry_.begin();
  SetTimer(data_.hWnd, kTrayRetryTimer, kTrayRetryIntervalMs, nullptr);
}

void TrayIcon::retry() {
  if (!retry_.another(put())) KillTimer(data_.hWnd, kTrayRetryTimer);
}

// A registered message has no fixed number to switch on.
bool TrayIcon::isShellRestart(UINT message) {
  if (taskbarCreated_ == 0 || message != taskbarCreated_) return false;
  show();
  return true;
}

// One balloon from the tray icon. The icon was added with the first
// version's record; the balloon's fields come with the second version's.
void TrayIcon::showBalloon(const WatchAnnouncement& announcement) {
  NOTIFYICONDATAA balloon = data_;
  balloon.cbSize = NOTIFYICONDATAA_V2_SIZE;
  balloon.uFlags = NIF_INFO;
  lstrcpynA(balloon.szInfoTitle, announcement.title.c_str(), sizeof balloon.szInfoTitle);
  lstrcpynA(balloon.szInfo, announcement.text.c_str(), sizeof balloon.szInfo);
  balloon.uTimeout = 10000;
  balloon.dwInfoFlags = NIIF_INFO;
  Shell_NotifyIconA(NIM_MODIFY, &balloon);
}

void TrayIcon::remove() {
  Shell_NotifyIconA(NIM_DELETE, &data_);
  if (data_.hIcon) DestroyIcon(data_.hIcon);
  data_.hIcon = nullptr;
}
