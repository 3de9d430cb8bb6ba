// The connect dialog's procedure and the moves between its controls and
// the settings.
#include "ui/connect_dialog.h"

#include <commctrl.h>

#include <cstdio>

#include "config/settings_store.h"
#include "config/version.h"
#include "ui/connect_controls.h"
#include "ui/connection_settings_dialog.h"
#include "ui/download_worker.h"
#include "ui/model/connect_form.h"
#include "ui/model/job_display.h"
#include "ui/model/resource_ids.h"
#include "xmltv/xmltv_source.h"

namespace {

bool ticked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void tick(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

void fillDailyTime(HWND dialog, const ConnectForm& form) {
  tick(dialog, IDC_DAILY, form.dailyTicked);
  SendDlgItemMessageA(dialog, IDC_DAILY_TIME, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("HH:mm"));
  if (!form.dailyTicked) return;
  SYSTEMTIME time;
  GetLocalTime(&time);
  time.wHour = static_cast<WORD>(form.hour);
  time.wMinute = static_cast<WORD>(form.minute);
  SendDlgItemMessageA(dialog, IDC_DAILY_TIME, DTM_SETSYSTEMTIME, GDT_VALID,
                      reinterpret_cast<LPARAM>(&time));
}

void fillDays(HWND dialog, int days) {
  for (int number = 1; number <= kDayChoices; ++number) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", number);
    LRESULT item = SendDlgItemMessageA(dialog, IDC_DAYS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendDlgItemMessageA(dialog, IDC_DAYS, CB_SETITEMDATA, item, number);
    if (number == days) SendDlgItemMessageA(dialog, IDC_DAYS, CB_SETCURSEL, item, 0);
  }
}

void fillAreas(HWND dialog, SettingsStore& settings, int position) {
  for (const std::string& label : areaLabels(settings))
    SendDlgItemMessageA(dialog, IDC_AREA, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
  SendDlgItemMessageA(dialog, IDC_AREA, CB_SETCURSEL, position, 0);
}

// The dialog grows by the hint's rows, so with a guide source set its
// layout is the one it always had.
void showSourceHint(HWND dialog) {
  HWND hint = GetDlgItem(dialog, IDC_SOURCE_HINT);
  if (IsWindowVisible(hint)) return;
  SetWindowTextA(hint, noGuideSourceHint().c_str());
  RECT grow = {0, 0, 0, 36};
  MapDialogRect(dialog, &grow);
  RECT frame;
  GetWindowRect(dialog, &frame);
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + grow.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hint, SW_SHOWNA);
}

void fillControls(DownloadWorker& worker) {
  HWND dialog = worker.dialog;
  worker.running = false;
  worker.cancelRequested = false;
  SetDlgItemTextA(dialog, IDC_VERSION, kVersionLabel);
  ConnectForm form = connectFormFromSettings(*worker.settings);
  tick(dialog, IDC_AUTO_DELETE, form.autoDelete);
  tick(dialog, IDC_AUTO_CLOSE, form.autoClose);
  tick(dialog, IDC_DELETE_HTML, form.deleteHtml);
  tick(dialog, IDC_BOOT_DOWNLOAD, form.bootDownload);
  fillDailyTime(dialog, form);
  fillDays(dialog, form.days);
  fillAreas(dialog, *worker.settings, form.areaPosition);
  if (form.noGuideSource) showSourceHint(dialog);
  if (worker.autoStartId != 0) PostMessageA(dialog, WM_COMMAND, worker.autoStartId, 0);
}

ConnectForm readControls(HWND dialog) {
  ConnectForm form;
  form.days = selectedDays(dialog);
  LRESULT area = SendDlgItemMessageA(dialog, IDC_AREA, CB_GETCURSEL, 0, 0);
  form.areaPosition = area == CB_ERR ? -1 : static_cast<int>(area);
  form.autoDelete = ticked(dialog, IDC_AUTO_DELETE);
  form.autoClose = ticked(dialog, IDC_AUTO_CLOSE);
  form.deleteHtml = ticked(dialog, IDC_DELETE_HTML);
  form.dailyTicked = ticked(dialog, IDC_DAILY);
  SYSTEMTIME time = {};
  SendDlgItemMessageA(dialog, IDC_DAILY_TIME, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
  form.hour = time.wHour;
  form.minute = time.wMinute;
  form.bootDownload = ticked(dialog, IDC_BOOT_DOWNLOAD);
  return form;
}

void storeControls(DownloadWorker& worker) {
  storeConnectForm(readControls(worker.dialog), *worker.settings);
  worker.settings->save();
}

// A job runs, or its thread has ended the job but is not joined yet. The
// dialog must not end then: the worker lives on openConnectDialog's stack.
bool jobActive(const DownloadWorker& worker) { return worker.running || worker.ownsThread(); }

// A thread that cannot be started ends the job at once, as a failed job
// would, but on this thread: the controls come back, and a dialog that
// opened itself for the job closes (no message to linger over).
void jobNotStarted(DownloadWorker& worker) {
  KillTimer(worker.dialog, ID_BYTE_TIMER);
  enableJobControls(worker.dialog, true);
  worker.running = false;
  if (worker.autoStartId != 0) PostMessageA(worker.dialog, WM_COMMAND, IDOK, 0);
}

void startJob(DownloadWorker& worker, int id) {
  if (jobActive(worker)) return;
  // Nothing could answer: say so now rather than after the retries, and
  // stay open, even for an automatic crawl, so the hint can be read.
  if (id == IDC_CRAWL && !guideSourceIsSet(*worker.settings)) {
    SetDlgItemTextA(worker.dialog, IDC_STATUS, kNoGuideSourceStatus);
    showSourceHint(worker.dialog);
    return;
  }
  worker.jobId = id;
  worker.running = true;
  worker.cancelRequested = false;
  worker.fileTotal = 0;
  worker.result = -1;
  SetTimer(worker.dialog, ID_BYTE_TIMER, 500, nullptr);
  enableJobControls(worker.dialog, false);
  storeControls(worker);
  if (!worker.start()) jobNotStarted(worker);
}

// Its template lies in the module that holds this dialog's.
void openConnectionSettings(DownloadWorker& worker) {
  HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(worker.dialog, GWLP_HINSTANCE));
  ConnectionSettingsDialog::show(worker.dialog, module, *worker.settings);
}

void pressOk(DownloadWorker& worker) {
  if (jobActive(worker)) return;
  storeControls(worker);
  EndDialog(worker.dialog, IDOK);
}

void pressCancel(DownloadWorker& worker) {
  if (worker.running) {
    worker.cancelRequested = true;
    EnableWindow(GetDlgItem(worker.dialog, IDCANCEL), FALSE);
  } else if (!worker.ownsThread()) {
    EndDialog(worker.dialog, IDCANCEL);
  }
}

void joinWorker(DownloadWorker& worker) {
  worker.wait();
  // The worker's KillTimer may not reach a window of another thread; this
  // one is on the dialog's own thread.
  KillTimer(worker.dialog, ID_BYTE_TIMER);
}

// The worker's KillTimer cannot stop a timer of the dialog's thread, so a
// tick may still come after the job has cleared the byte display; it must
// not draw the last count back.
INT_PTR byteTimer(DownloadWorker& worker) {
  if (worker.running) worker.showByteCount();
  return TRUE;
}

INT_PTR initDialog(HWND dialog, LPARAM param) {
  DownloadWorker* worker = reinterpret_cast<DownloadWorker*>(param);
  SetWindowLongPtrA(dialog, DWLP_USER, param);
  worker->dialog = dialog;
  fillControls(*worker);
  return FALSE;
}

INT_PTR command(DownloadWorker& worker, int id) {
  switch (id) {
    case IDC_CRAWL: case IDC_SYNC: case IDC_DELETE_ALL: startJob(worker, id); break;
    case IDC_CONNECTION_SETTINGS: openConnectionSettings(worker); break;
    case IDOK: pressOk(worker); break;
    case IDCANCEL: pressCancel(worker); break;
    case IDC_JOIN_WORKER: joinWorker(worker); break;
    default: return FALSE;
  }
  return TRUE;
}

INT_PTR CALLBACK connectDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return initDialog(dialog, lParam);
  DownloadWorker* worker = reinterpret_cast<DownloadWorker*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (worker == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND: return command(*worker, LOWORD(wParam));
    case WM_TIMER: return byteTimer(*worker);
    default: return FALSE;
  }
}

}  // namespace

int openConnectDialog(HWND owner, HINSTANCE module, SettingsStore& settings, int autoStartId) {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_DATE_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&classes);
  DownloadWorker worker(settings, autoStartId);
  return static_cast<int>(DialogBoxParamA(module,
                                          MAKEINTRESOURCEA(IDD_CONNECT), owner, connectDialogProc,
                                          reinterpret_cast<LPARAM>(&worker)));
}
