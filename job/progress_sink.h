// ProgressSink: how a running job reports to the user and learns of a
// cancel. Every call comes from the job's thread; an implementation only
// counts and reads its cancel flag, and draws at its own pace.
#pragma once

#include <string>

#include "job/job_message.h"

class ProgressSink {
 public:
  // The number of items the job is about to process. False once cancelled.
  virtual bool setFileTotal(int total) = 0;
  // The next item starts. False once cancelled.
  virtual bool beginFile(const std::string& label) = 0;
  // Expected bytes of the current transfer; negative when not announced.
  // The byte count starts again from zero.
  virtual bool setByteTotal(int total) = 0;
  // n more bytes arrived; called for every byte, so it must stay cheap.
  virtual bool addBytes(int n) = 0;
  // `n` bytes that arrived together: how many of them are taken, counting
  // from the first, before a cancel refuses the rest (n when none is
  // refused). A sink that checks its cancel once per run overrides this;
  // by default each byte goes through addBytes(1).
  virtual int addByteRun(int n) {
    for (int taken = 0; taken < n; ++taken) {
      if (!addBytes(1)) return taken;
    }
    return n;
  }
  // A failure, the job's last word. Always false.
  virtual bool reportError(const JobMessage& message) = 0;
  // Show the byte count now. Always true.
  virtual bool flushBytes() = 0;
  // A progress message. False once cancelled.
  virtual bool showStatus(const JobMessage& message) = 0;
  // What failed and why, told just before the reportError it explains: the
  // URL and status of an HTTP answer, a path and the system's reason. Only
  // the command line shows it; the window keeps its short messages.
  virtual void describeFailure(const std::string& detail) {}

 protected:
  ~ProgressSink() = default;
};
