// DownloadWorker: runs one job of the connect dialog on its own thread and
// shows the job's progress in the dialog. Every ProgressSink call comes from
// the worker thread and reaches the dialog only through SetDlgItemTextA,
// SendDlgItemMessageA, EnableWindow, KillTimer and PostMessageA, which the
// dialog's own thread carries out. It lives on the stack of
// openConnectDialog for the dialog's whole life.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "job/progress_sink.h"
#include "ui/thread_task.h"

class SettingsStore;

class DownloadWorker : public ProgressSink, public ThreadTask {
 public:
  DownloadWorker(SettingsStore& settings, int autoStartId);

  bool setFileTotal(int total) override;
  bool beginFile(const std::string& label) override;
  bool setByteTotal(int total) override;
  bool addBytes(int n) override;
  int addByteRun(int n) override;
  bool reportError(const JobMessage& message) override;
  bool flushBytes() override;
  bool showStatus(const JobMessage& message) override;

  // The job chosen by jobId; then finishJob. Runs on the worker thread.
  int run() override;
  // Restores the dialog after the job and asks it to join the thread (and
  // to close, when the job's ending says so).
  void finishJob();
  // The byte count and bar of the current item, drawn now.
  void showByteCount();

  HWND dialog = nullptr;
  SettingsStore* settings;
  int autoStartId;
  // Single words shared with the dialog's thread, used without a lock:
  // running is set by the dialog and cleared by the worker, cancelRequested
  // is written by the dialog, byteCount only by the worker.
  std::atomic<bool> running{false};
  std::atomic<bool> cancelRequested{false};
  int result = -1;
  int jobId = 0;
  int fileTotal = 0;
  int fileCount = 0;
  std::atomic<int> byteCount{0};
  // The status after a failed write of the kept XMLTV file; else empty.
  std::string exportStatus;

 private:
  bool notCancelled() const { return !cancelRequested.load(std::memory_order_relaxed); }
  void setText(int id, const std::string& text);
};
