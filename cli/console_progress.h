// ConsoleProgress: the command-line tool's ProgressSink. Statuses, item
// labels and errors go to stderr as UTF-8 lines; a byte count is drawn in
// place only when stderr is a terminal; Ctrl-C becomes a cancel. When
// stderr is not a terminal (a log file) it writes a few plain lines: the
// first and last counted item and each quarter between, each kind of
// status once.
// Quiet, it writes only errors; after a cancel, nothing.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "cli/cli_option.h"
#include "cli/deadline.h"
#include "job/progress_sink.h"

class VerbOptions;

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
  int addByteRun(int n) override;
  bool reportError(const JobMessage& message) override;
  bool flushBytes() override;
  bool showStatus(const JobMessage& message) override;
  // Printed instead of the message of the reportError that follows.
  void describeFailure(const std::string& detail) override;

  // The server the job talks to, "host:port", named in the failures that
  // concern it: a failed connection, an HTTP answer refused.
  void setServer(const std::string& hostPort) { server_ = hostPort; }
  // A cancel, or the deadline (--max-time) reached.
  bool cancelled() const;
  // The run also ends, as on a cancel, when `deadline` is reached.
  void setDeadline(const Deadline* deadline) { deadline_ = deadline; }
  // Items begun of those announced by the last setFileTotal.
  int countedItemsBegun() const { return fileNumber_ < fileTotal_ ? fileNumber_ : fileTotal_; }

 private:
  void line(const std::string& prefix, const JobMessage& message);
  bool itemWorthALine() const;
  bool statusWorthALine(const std::string& message);
  void drawBar();
  void endBar();

  bool (*cancelled_)();
  bool terminal_;
  bool english_;  // a terminal in another language: known messages get their English form
  int fileTotal_ = 0;
  int fileNumber_ = 0;
  int byteTotal_ = -1;
  long long bytes_ = 0;
  std::uint64_t lastDraw_ = 0;
  bool barShown_ = false;
  bool quiet_ = false;
  const job::Text* lastStatus_ = nullptr;
  std::string server_;
  std::string failure_;  // from describeFailure, for the next reportError
  const Deadline* deadline_ = nullptr;
  std::set<std::string> statusesShown_;  // without digits: a countdown is one kind
};

// Prints the verb's result as the last stdout line, "result N", and gives
// the exit code: see exitCodeFor; after an interrupt, says so on stderr.
int finishWithResult(int result);
// A known message's text with its English form after it, "接続失敗！
// (connection failed)"; free text as it is.
std::string withEnglish(const JobMessage& message);
// 130 or 143 when an interrupt stopped the job (`interruptCode`, as
// os::interruptExitCode gives it), else 1 when `result` is negative, else 0.
int exitCodeFor(int result, int interruptCode);

// --max-time SECONDS of crawl and sync: taken from the arguments (0 when
// absent); finishRun is finishWithResult that, when the deadline was
// reached, says so and gives 1.
extern const CliOption kMaxTimeOption;
int takeMaxTime(VerbOptions& options);
int finishRun(int result, const Deadline& deadline, int maxTime);
