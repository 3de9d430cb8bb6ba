// The connect dialog's worker: the jobs and their progress display.
#include "ui/download_worker.h"

#include <commctrl.h>

#include "calendar/calendar.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "listing/xmltv_file.h"
#include "sync/sync_client.h"
#include "tuner/tuner_source.h"
#include "ui/connect_controls.h"
#include "ui/model/job_display.h"
#include "ui/model/resource_ids.h"

DownloadWorker::DownloadWorker(SettingsStore& settings, int autoStartId)
    : settings(&settings), autoStartId(autoStartId) {}

void DownloadWorker::setText(int id, const std::string& text) {
  SetDlgItemTextA(dialog, id, text.c_str());
}

bool DownloadWorker::setFileTotal(int total) {
  fileTotal = total;
  fileCount = 0;
  SendDlgItemMessageA(dialog, IDC_ITEM_BAR, PBM_SETRANGE32, 0, total);
  return notCancelled();
}

bool DownloadWorker::beginFile(const std::string& label) {
  setText(IDC_CURRENT_ITEM, label);
  if (fileTotal != 0) {
    fileCount += 1;
    setText(IDC_ITEM_COUNT, fileCountText(fileCount, fileTotal));
    SendDlgItemMessageA(dialog, IDC_ITEM_BAR, PBM_DELTAPOS, 1, 0);
    SendDlgItemMessageA(dialog, IDC_BYTE_BAR, PBM_SETPOS, 0, 0);
    setText(IDC_BYTE_COUNT, "");
    byteCount.store(0, std::memory_order_relaxed);
  }
  return notCancelled();
}

bool DownloadWorker::setByteTotal(int total) {
  // A new total means a new body (a resume answered in full starts over).
  byteCount.store(0, std::memory_order_relaxed);
  SendDlgItemMessageA(dialog, IDC_BYTE_BAR, PBM_SETRANGE32, 0, byteBarRange(total));
  return notCancelled();
}

bool DownloadWorker::addBytes(int n) {
  // Called for every byte: count only; the dialog's timer draws.
  byteCount.store(byteCount.load(std::memory_order_relaxed) + n, std::memory_order_relaxed);
  return notCancelled();
}

int DownloadWorker::addByteRun(int n) { return addBytes(n) ? n : 0; }

bool DownloadWorker::reportError(const JobMessage& message) {
  setText(IDC_STATUS, message.text);
  return false;
}

bool DownloadWorker::flushBytes() {
  showByteCount();
  return true;
}

bool DownloadWorker::showStatus(const JobMessage& message) {
  setText(IDC_STATUS, message.text);
  return notCancelled();
}

void DownloadWorker::showByteCount() {
  int count = byteCount.load(std::memory_order_relaxed);
  setText(IDC_BYTE_COUNT, byteCountText(count));
  if (count != 0) SendDlgItemMessageA(dialog, IDC_BYTE_BAR, PBM_SETPOS, count, 0);
}

int DownloadWorker::run() {
  GuideCache cache(*settings);
  switch (jobId) {
    case IDC_CRAWL:
      result = cache.crawl(crawlSourceFor(*settings), cache.now(), selectedDays(dialog), *this);
      break;
    case IDC_SYNC: result = SyncClient(cache).run(*this); break;
    case IDC_DELETE_ALL: result = cache.deleteAllPages(*this); break;
  }
  // The kept XMLTV file follows every download; a failure is only shown.
  const bool exported = jobId == IDC_DELETE_ALL || refreshXmltvFile(cache, cache.now());
  exportStatus = exported ? std::string() : std::string(kXmltvFileNotWritten);
  finishJob();
  return 1;
}

void DownloadWorker::finishJob() {
  // Read before any control comes back: from then on the dialog's thread
  // may change the settings.
  JobEnding ending =
      jobEnding({result, autoStartId, cancelRequested.load(), jobId, settings->autoClose()});
  // The job's last message stays readable, and nothing may look usable
  // while the dialog is about to close by itself.
  if (ending.lingerMilliseconds > 0) Sleep(ending.lingerMilliseconds);
  // Stops the dialog's timer from drawing the count back after it is cleared.
  running.store(false);
  setText(IDC_BYTE_COUNT, "");
  SendDlgItemMessageA(dialog, IDC_ITEM_BAR, PBM_SETPOS, 0, 0);
  SendDlgItemMessageA(dialog, IDC_BYTE_BAR, PBM_SETPOS, 0, 0);
  KillTimer(dialog, ID_BYTE_TIMER);
  enableJobControls(dialog, true);
  EnableWindow(GetDlgItem(dialog, IDCANCEL), TRUE);
  if (!ending.status.empty()) setText(IDC_STATUS, ending.status);
  // A failed job's own message matters more than the export's.
  if (!exportStatus.empty() && result >= 0) setText(IDC_STATUS, exportStatus);
  PostMessageA(dialog, WM_COMMAND, IDC_JOIN_WORKER, 0);
  if (ending.closeAfter) PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}
