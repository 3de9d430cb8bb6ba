#include "cli/console_progress.h"

#include <cstdio>

#include "cli/cli.h"
#include "cli/verb_options.h"
#include "job/job_messages.h"
#include "os/interrupt.h"
#include "os/os.h"
#include "os/text.h"

ConsoleProgress::ConsoleProgress(bool (*cancelled)())
    : cancelled_(cancelled ? cancelled : os::interrupted),
      terminal_(os::stderrIsTerminal()),
      english_(terminal_ && !os::localeIsJapanese()) {
  if (!cancelled) os::catchInterrupts();
}

ConsoleProgress::ConsoleProgress(bool quiet) : ConsoleProgress() { quiet_ = quiet; }

bool ConsoleProgress::cancelled() const { return cancelled_() || (deadline_ && deadline_->reached()); }

bool ConsoleProgress::itemWorthALine() const {
  if (terminal_) return true;
  if (fileNumber_ > fileTotal_) return false;  // the uncounted look-ups and clean-ups
  const int quarter = fileTotal_ / 4 > 0 ? fileTotal_ / 4 : 1;
  return fileNumber_ == 1 || fileNumber_ == fileTotal_ || fileNumber_ % quarter == 0;
}

bool ConsoleProgress::statusWorthALine(const std::string& message) {
  if (terminal_) return true;
  std::string kind;
  for (char c : message) {
    if (c < '0' || c > '9') kind += c;
  }
  return statusesShown_.insert(kind).second;
}

std::string withEnglish(const JobMessage& message) {
  return message.known ? message.text + " (" + message.known->english + ")" : message.text;
}

void ConsoleProgress::line(const std::string& prefix, const JobMessage& message) {
  // After a cancel the job only winds down: no retries or resumes to tell.
  if (cancelled()) return;
  endBar();
  std::fprintf(stderr, "%s", prefix.c_str());
  printError((english_ ? withEnglish(message) : message.text) + "\n");
  std::fflush(stderr);
}

void ConsoleProgress::drawBar() {
  if (!terminal_ || quiet_ || cancelled()) return;
  const int width = 30;
  int filled = byteTotal_ > 0 ? static_cast<int>(bytes_ * width / byteTotal_) : 0;
  if (filled > width) filled = width;
  std::string bar(filled, '#');
  bar.resize(width, '.');
  std::fprintf(stderr, "\r  [%s] %lld bytes", bar.c_str(), bytes_);
  std::fflush(stderr);
  barShown_ = true;
}

void ConsoleProgress::endBar() {
  if (!barShown_) return;
  std::fprintf(stderr, "\n");
  barShown_ = false;
}

bool ConsoleProgress::setFileTotal(int total) {
  fileTotal_ = total;
  fileNumber_ = 0;
  return !cancelled();
}

bool ConsoleProgress::beginFile(const std::string& label) {
  ++fileNumber_;
  // A clean-up after the counted items announces files of its own.
  std::string count = fileNumber_ <= fileTotal_ ? "[" + std::to_string(fileNumber_) + "/" +
                                           std::to_string(fileTotal_) + "] "
                                     : "";
  if (!quiet_ && itemWorthALine()) line("  " + count, label);
  return !cancelled();
}

bool ConsoleProgress::setByteTotal(int total) {
  byteTotal_ = total;
  bytes_ = 0;
  return !cancelled();
}

bool ConsoleProgress::addBytes(int n) {
  const long long before = bytes_;
  bytes_ += n;
  // Called for every byte: read the clock only now and then (at each new
  // KB), and draw a few times a second, which is what a person can read.
  if (terminal_ && (before >> 10) != (bytes_ >> 10)) {
    std::uint64_t now = os::tickMilliseconds();
    if (now - lastDraw_ >= 200) {
      lastDraw_ = now;
      drawBar();
    }
  }
  return !cancelled();
}

int ConsoleProgress::addByteRun(int n) { return addBytes(n) ? n : 0; }

bool ConsoleProgress::reportError(const JobMessage& message) {
  std::string failure;
  failure.swap(failure_);
  // The service answers a good sign-in with a redirect, which the transfer
  // reports by its reason; the sign-in itself says when it failed.
  if (lastStatus_ == &job::kSigningIn && message.text == "Found") return false;
  if (!failure.empty()) {
    line("rokuban-cli: ", failure);  // it says more than the message
  } else if (!server_.empty() && message.is(job::kConnectFailed)) {
    line("rokuban-cli: " + server_ + ": ", message);
  } else {
    line("rokuban-cli: ", message);
  }
  return false;
}

void ConsoleProgress::describeFailure(const std::string& detail) { failure_ = detail; }

bool ConsoleProgress::flushBytes() {
  drawBar();
  return true;
}

bool ConsoleProgress::showStatus(const JobMessage& message) {
  lastStatus_ = message.known;
  if (!quiet_ && statusWorthALine(message.text)) line("", message);
  return !cancelled();
}

int exitCodeFor(int result, int interruptCode) {
  if (interruptCode != 0) return interruptCode;
  return result < 0 ? 1 : 0;
}

int finishWithResult(int result) {
  std::printf("result %d\n", result);
  std::fflush(stdout);
  const int interruptCode = os::interruptExitCode();
  if (interruptCode != 0) std::fprintf(stderr, "rokuban-cli: interrupted\n");
  return exitCodeFor(result, interruptCode);
}

constexpr CliOption kMaxTimeOption{"--max-time", OptionKind::Number, "end the whole run after SECONDS"};

int takeMaxTime(VerbOptions& options) {
  int seconds = 0;
  options.number(kMaxTimeOption, seconds);
  return seconds;
}

int finishRun(int result, const Deadline& deadline, int maxTime) {
  const int exitCode = finishWithResult(result);
  if (!deadline.reached() || exitCode > 1) return exitCode;
  std::fprintf(stderr, "rokuban-cli: --max-time %d s reached; the run was stopped\n", maxTime);
  return 1;
}
