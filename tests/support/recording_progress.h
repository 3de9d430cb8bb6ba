// A ProgressSink that records every call as a line of text, and can refuse
// from a chosen call on, as a cancel in the dialog would.
#pragma once

#include <string>
#include <vector>

#include "job/progress_sink.h"

class RecordingProgress : public ProgressSink {
 public:
  bool setFileTotal(int total) override { return record("total " + std::to_string(total)); }
  bool beginFile(const std::string& label) override { return record("file " + label); }
  bool setByteTotal(int total) override {
    transferBytes = 0;
    return record("bytes " + std::to_string(total));
  }
  bool addBytes(int n) override {
    bytes += n;
    transferBytes += n;
    return !cancelled();
  }
  bool reportError(const JobMessage& message) override {
    record("error " + message.text);
    return false;
  }
  bool flushBytes() override { return true; }
  bool showStatus(const JobMessage& message) override { return record("status " + message.text); }
  void describeFailure(const std::string& detail) override { failures.push_back(detail); }

  // Calls counted from 1 (byte additions not included); from call number
  // `cancelAt` on, every answer is false.
  int cancelAt = 0;
  std::vector<std::string> calls;
  std::vector<std::string> failures;  // describeFailure's, apart from the calls
  long long bytes = 0;
  long long transferBytes = 0;  // since the last byte total, as a dialog counts

 private:
  bool cancelled() const { return cancelAt > 0 && static_cast<int>(calls.size()) >= cancelAt; }
  bool record(const std::string& call) {
    calls.push_back(call);
    return !cancelled();
  }
};
