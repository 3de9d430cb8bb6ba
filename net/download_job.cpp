#include "net/download_job.h"

#include <cstdio>

#include "job/job_messages.h"
#include "job/progress_sink.h"
#include "job/silent_progress.h"
#include "net/basic_credentials.h"
#include "net/failure_text.h"
#include "os/ascii.h"

DownloadJob::DownloadJob(const DownloadServer& server, Clock& clock, FileSystem& files)
    : clock_(clock), files_(files) {
  client_.setServer(server.server, server.port);
  client_.setProxy(server.proxyServer, server.proxyPort);
  client_.setProxyAuthorization(basicCredentials(server.proxyUser, server.proxyPassword));
  for (const auto& header : server.headers) client_.setRequestHeader(header.first, header.second);
}

DownloadJob::~DownloadJob() { finishPageFile(); }

ProgressSink& DownloadJob::progress() {
  static SilentProgress silent;
  return progress_ ? *progress_ : silent;
}

bool DownloadJob::fetch(ProgressSink& progress, const std::string& path,
                        const std::string& pageFile) {
  progress_ = &progress;
  path_ = path;
  pageFileName_ = pageFile;
  saveFailed_ = false;
  return client_.transact(path, *this);
}

bool DownloadJob::fetchWithRetry(ProgressSink& progress, const std::string& path,
                                 const std::string& pageFile) {
  for (int attempts = 0;;) {
    if (!progress.showStatus(job::kConnecting)) return false;
    if (fetch(progress, path, pageFile)) return true;
    // Waiting mends neither a page that cannot be saved nor an answer too
    // large, unreadable or refused for good.
    if (saveFailed_ || finalAnswer_ || client_.answerTooLarge() || ++attempts >= retryPolicy_.attempts) return false;
    if (!countDown()) return false;
  }
}

bool DownloadJob::countDown() {
  for (int seconds = retryPolicy_.waitSeconds; seconds >= 1; --seconds) {
    char status[64];
    std::snprintf(status, sizeof status, job::kRetryIn.japanese, seconds);
    if (!progress().showStatus(JobMessage(job::kRetryIn, status))) {
      progress().reportError(job::kInterrupted);
      return false;
    }
    clock_.sleepMilliseconds(1000);
  }
  return true;
}

void DownloadJob::setCondition(const std::string& modifiedSince, const std::string& entityTag) {
  conditional_ = !modifiedSince.empty();
  client_.removeRequestHeader("if-modified-since");
  client_.removeRequestHeader("if-none-match");
  if (conditional_) client_.setRequestHeader("if-modified-since", modifiedSince);
  if (conditional_ && !entityTag.empty()) client_.setRequestHeader("if-none-match", entityTag);
}

bool DownloadJob::onConnect(const std::string&, int) {
  // A new transfer never appends to what an earlier, abandoned one left open.
  finishPageFile();
  bodyStarted_ = false;
  notModified_ = false;
  finalAnswer_ = false;
  return true;
}

namespace {

bool isLastingRefusal(int status) { return status >= 400 && status < 500 && status != 408 && status != 429; }

std::string headerOf(const HttpResponse& response, const char* name) {
  auto found = response.headers.find(name);
  return found == response.headers.end() ? std::string() : ascii::lowered(found->second);
}

}  // namespace

bool DownloadJob::refuseUnreadAnswer(const std::string& header, const job::Text& message) {
  discardPageFile();
  finalAnswer_ = true;
  progress().describeFailure(currentUrl() + ": the answer came with " + header + ", which is not read");
  progress().reportError(message);
  return false;
}

bool DownloadJob::onHeaders(const HttpResponse& response) {
  const int kNotModified = 304;
  if (conditional_ && response.status == kNotModified && !bodyStarted_) {
    notModified_ = true;  // nothing to keep: whatever body follows is dropped
    return true;
  }
  if (response.status != 200 && response.status != 206) {
    // A refused answer to a resumed request: the partial page is useless.
    discardPageFile();
    progress().describeFailure(currentUrl() + ": " + std::to_string(response.status) + " " + response.reason);
    progress().reportError(response.reason);
    finalAnswer_ = !retryPolicy_.retriesRefusals && isLastingRefusal(response.status);
    return false;
  }
  // Neither is asked for (the request is HTTP/1.0 and names no encoding),
  // and the bytes would only read as a broken document.
  const std::string transfer = headerOf(response, "transfer-encoding");
  if (!transfer.empty() && transfer != "identity") {
    return refuseUnreadAnswer("Transfer-Encoding: " + transfer, job::kChunkedAnswer);
  }
  const std::string content = headerOf(response, "content-encoding");
  if (!content.empty() && content != "identity") {
    return refuseUnreadAnswer("Content-Encoding: " + content, job::kCompressedAnswer);
  }
  // A resumed request answered with the whole page: start the file and the
  // byte count again, with the new total.
  if (response.status == 200) {
    discardPageFile();
    bodyStarted_ = false;
  }
  return true;
}

bool DownloadJob::onBodyStart(int length) {
  if (bodyStarted_ || notModified_) return true;  // a resumed attempt carries on
  bodyStarted_ = true;
  if (!progress().setByteTotal(length)) return false;
  progress().showStatus(job::kReceiving);
  if (pageFileName_.empty()) return true;
  // The file is made when its first block is written: a page that fits in
  // the block reaches the disk in one go, once it is whole.
  pageFile_.begin(pageFileName_);
  openFileName_ = pageFileName_;
  // A page goes to its file in a few large writes rather than 1 KB ones.
  sink_.reset(new BufferedSink(pageFile_, kPageWriteBlock));
  if (bodyListener_) body_.clear();
  return true;
}

bool DownloadJob::onByte(int byte) {
  const unsigned char one = static_cast<unsigned char>(byte);
  return onBytes(&one, 1);
}

bool DownloadJob::onBytes(const unsigned char* bytes, int count) {
  if (notModified_) return true;
  // A cancel keeps the bytes the sink took before it.
  const int counted = progress().addByteRun(count);
  // A page with a hole is worse than none: a write that fails ends it.
  if (sink_ && sink_->write(bytes, counted) != counted) return failToSave();
  if (sink_ && bodyListener_) body_.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(counted));
  return counted == count;
}

// Counting no bytes is the one question every sink answers from its cancel
// flag alone.
bool DownloadJob::stillWanted() { return progress().addBytes(0); }

bool DownloadJob::onShortBody(int attempt) {
  progress().showStatus(job::kResume);
  if (attempt <= kMaxResumes) return true;
  discardPageFile();  // the transfer is given up: its partial page goes
  return false;
}

bool DownloadJob::onError(const JobMessage& message) {
  progress().reportError(message);
  discardPageFile();
  return true;
}

bool DownloadJob::onComplete() {
  if (sink_ && bodyListener_) bodyListener_->onPageBody(body_);
  return finishPageFile() || failToSave();
}

bool DownloadJob::failToSave() {
  saveFailed_ = true;
  progress().describeFailure(fileFailureText("cannot write", openFileName_));
  progress().reportError(job::kSaveFailed);
  discardPageFile();
  files_.remove(openFileName_);  // also when the failing close was the last step
  return false;
}

bool DownloadJob::finishPageFile() {
  if (!pageFile_.isBegun()) return true;
  bool written = !sink_ || sink_->flush();
  sink_.reset();
  return pageFile_.close() && written;
}

std::string DownloadJob::currentUrl() const {
  // The server this transfer asked, which is not always the guide service.
  return "http://" + client_.serverAuthority() + path_;
}

void DownloadJob::discardPageFile() {
  if (!pageFile_.isBegun()) return;
  pageFile_.abandon();
  sink_.reset();  // its flush meets an abandoned file: the waiting bytes are dropped
  files_.remove(openFileName_);
}
