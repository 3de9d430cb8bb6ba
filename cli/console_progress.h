// ConsoleProgress: the command-line tool's ProgressSink. Statuses, item
// labels and errors go to stderr as UTF-8 lines; a byte count is drawn in
// place only when stderr is a terminal; Ctrl-C becomes a cancel.
#pragma once

#include <cstdint>
#include <string>

#include "ui/progress_sink.h"

class ConsoleProgress : public ProgressSink {
 public:
  // `cancelled` tells whether the user asked to stop; by default, Ctrl-C.
  explicit ConsoleProgress(bool (*cancelled)() = nullptr);

  bool setFileTotal(int total) override;
  bool beginFile(const std::string& label) override;
  bool setByteTotal(int total) override;
  bool addBytes(int n) override;
  bool reportError(const std::string& message) override;
  bool flushBytes() override;
  bool showStatus(const std::string& message) override;

  bool cancelled() const;

 private:
  void line(const std::string& prefix, const std::string& cp932);
  void drawBar();
  void endBar();

  bool (*cancelled_)();
  bool terminal_;
  int fileTotal_ = 0;
  int fileNumber_ = 0;
  int byteTotal_ = -1;
  long long bytes_ = 0;
  std::uint64_t lastDraw_ = 0;
  bool barShown_ = false;
};

// Prints the verb's result as the last stdout line, "result N", and gives
// the exit code: 1 when N is negative, otherwise 0.
int finishWithResult(int result);
