// ConsoleProgress: the command-line tool's ProgressSink. Statuses, item
// labels and errors go to stderr as UTF-8 lines; a byte count is drawn in
// place only when stderr is a terminal; Ctrl-C becomes a cancel. When
// stderr is not a terminal (a log file) it writes a few plain lines: the
// first and last item and each quarter between, each kind of status once.
// Quiet, it writes only errors; after a cancel, nothing.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "ui/progress_sink.h"

class ConsoleProgress : public ProgressSink {
 public:
  // `cancelled` tells whether the user asked to stop; by default, Ctrl-C.
  explicit ConsoleProgress(bool (*cancelled)() = nullptr);
  // Ctrl-C as the cancel; `quiet` as given by --quiet.
  explicit ConsoleProgress(bool quiet);

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
  bool itemWorthALine() const;
  bool statusWorthALine(const std::string& message);
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
  bool quiet_ = false;
  std::set<std::string> statusesShown_;  // without digits: a countdown is one kind
};

// Prints the verb's result as the last stdout line, "result N", and gives
// the exit code: see exitCodeFor; after an interrupt, says so on stderr.
int finishWithResult(int result);
// 130 or 143 when an interrupt stopped the job (`interruptCode`, as
// os::interruptExitCode gives it), else 1 when `result` is negative, else 0.
int exitCodeFor(int result, int interruptCode);
