// SilentProgress: a ProgressSink that shows nothing and never cancels, for
// jobs run where nobody watches (a transfer outside a fetch, fuzzing,
// benchmarks).
#pragma once

#include <string>

#include "job/progress_sink.h"

class SilentProgress : public ProgressSink {
 public:
  bool setFileTotal(int) override { return true; }
  bool beginFile(const std::string&) override { return true; }
  bool setByteTotal(int) override { return true; }
  bool addBytes(int) override { return true; }
  bool reportError(const JobMessage&) override { return false; }
  bool flushBytes() override { return true; }
  bool showStatus(const JobMessage&) override { return true; }
};
