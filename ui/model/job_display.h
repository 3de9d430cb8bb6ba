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

// The version label of the dialog.
extern const char kVersionLabel[];

// How the dialog goes on after a job returned `result`.
struct JobEnding {
  int lingerMilliseconds;  // wait before anything else, so the last message stays readable
  std::string status;      // put into the status line; empty: leave it as the job left it
  bool closeAfter;         // press "OK" by itself
};
JobEnding jobEnding(int result, int autoStartId, bool cancelRequested, int jobId, bool autoClose);

// The job buttons and their ids.
constexpr int kCrawlButton = 1001;
constexpr int kSyncButton = 3;
constexpr int kDeleteAllButton = 1011;
