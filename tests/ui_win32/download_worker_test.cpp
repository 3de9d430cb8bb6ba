// The connect dialog's progress sink: once the user has cancelled, every
// call but reportError and flushBytes tells the job to stop.
#include "ui/download_worker.h"

#include <gtest/gtest.h>

#include <vector>

#include "config/settings_store.h"

namespace {

std::vector<bool> everyCall(DownloadWorker& sink) {
  return {sink.setFileTotal(3), sink.beginFile("05/01 05:00-"), sink.setByteTotal(-1),
          sink.addBytes(1),     sink.reportError("x"),          sink.flushBytes(),
          sink.showStatus("y")};
}

TEST(DownloadWorkerTest, AfterACancelOnlyFlushBytesStillAnswersTrue) {
  SettingsStore settings;
  // No dialog: what the calls would draw goes nowhere.
  DownloadWorker worker(settings, 0);
  EXPECT_EQ((std::vector<bool>{true, true, true, true, false, true, true}), everyCall(worker));
  worker.cancelRequested = true;
  EXPECT_EQ((std::vector<bool>{false, false, false, false, false, true, false}), everyCall(worker));
}

}  // namespace
