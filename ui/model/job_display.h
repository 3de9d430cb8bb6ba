// JobDisplay: the texts and scales the connect dialog shows while a job
// runs, and how a finished job ends the dialog's state.
#pragma once

#include <string>

// "%dバイト" of the bytes of the current item; empty when there are none.
std::string byteCountText(int byteCount);
// "ファイル数:%d/%d".
std::string fileCountText(int fileCount, int fileTotal);
// The byte bar's upper end: a transfer without an announced length is drawn
// against 100000 bytes.
int byteBarRange(int byteTotal);

// How the dialog goes on after a job returned `result`.
struct JobEnding {
  int lingerMilliseconds;  // wait before anything else, so the last message stays readable
  std::string status;      // put into the status line; empty: leave it as the job left it
  bool closeAfter;         // press "OK" by itself
};
// A job that has just returned.
struct FinishedJob {
  int result;            // the job's result, -1 on failure
  int autoStartId;       // the job the dialog started by itself (IDC_CRAWL, IDC_SYNC), or 0
  bool cancelRequested;  // "キャンセル" was pressed while it ran
  int jobId;             // its button: IDC_CRAWL, IDC_SYNC or IDC_DELETE_ALL
  bool autoClose;        // the "巡回後閉じる？" setting
};
JobEnding jobEnding(const FinishedJob& job);
