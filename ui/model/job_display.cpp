// Texts, scales and endings of the connect dialog's jobs.
#include "ui/model/job_display.h"

#include <cstdio>

#include "ui/model/resource_ids.h"

namespace {
const char kBytesPattern[] = "%d\x83\x6f\x83\x43\x83\x67";                      // "%dバイト"
const char kFilesPattern[] = "\x83\x74\x83\x40\x83\x43\x83\x8b\x90\x94:%d/%d";  // "ファイル数:%d/%d"
const char kFinished[] = "\x8f\x49\x97\xb9";                                     // "終了"
const char kCancelled[] = "\x92\x86\x92\x66\x82\xb5\x82\xdc\x82\xb5\x82\xbd";    // "中断しました"
constexpr int kUnknownLengthScale = 100000;
constexpr int kFailedAutoJobLinger = 10000;
}  // namespace

std::string byteCountText(int byteCount) {
  if (byteCount == 0) return std::string();
  char text[48];
  std::snprintf(text, sizeof text, kBytesPattern, byteCount);
  return text;
}

std::string fileCountText(int fileCount, int fileTotal) {
  char text[64];
  std::snprintf(text, sizeof text, kFilesPattern, fileCount, fileTotal);
  return text;
}

int byteBarRange(int byteTotal) { return byteTotal < 0 ? kUnknownLengthScale : byteTotal; }

JobEnding jobEnding(const FinishedJob& job) {
  JobEnding ending{0, std::string(), false};
  if (job.result < 0) {
    // The job's own last message stays; a dialog nobody opened closes itself.
    if (job.autoStartId != 0) {
      ending.lingerMilliseconds = kFailedAutoJobLinger;
      ending.closeAfter = true;
    }
    return ending;
  }
  if (job.cancelRequested) {
    ending.status = kCancelled;
    return ending;
  }
  ending.status = kFinished;
  ending.closeAfter = (job.jobId == IDC_CRAWL || job.jobId == IDC_SYNC) && job.autoClose;
  return ending;
}
