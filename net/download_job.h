// DownloadJob: the TransferObserver of the sign-in and the crawl. It owns the
// job's HttpClient, writes a response body into a page file (kept open across
// resumed attempts), deletes the file of a transfer that failed, allows four
// resumes per transfer, and reports every step to a ProgressSink.
//
// Build one per job on the worker thread; call fetch or fetchWithRetry once
// per resource. A cancelled transfer keeps what it wrote; the file is flushed
// and closed when the next transfer starts or the job is destroyed. A page
// that cannot be written whole fails its transfer and is deleted.
#pragma once

#include <memory>
#include <string>

#include "bytes/buffered_sink.h"
#include "net/clock.h"
#include "net/deferred_file.h"
#include "net/download_server.h"
#include "net/http_client.h"
#include "net/retry_policy.h"
#include "net/transfer_observer.h"

class ProgressSink;

// Told of a page's whole body once it arrived, before its file is written
// and closed: a reader can start on it meanwhile. Not told when the body
// falls short or is refused.
class PageBodyListener {
 public:
  virtual void onPageBody(const std::string& body) = 0;

 protected:
  ~PageBodyListener() = default;
};

class DownloadJob : public TransferObserver {
 public:
  // Requests go to `server`, through its proxy, with its headers. Waits
  // between attempts go through `clock`, page files to `files`.
  explicit DownloadJob(const DownloadServer& server, Clock& clock = systemClock(),
                       FileSystem& files = localFileSystem());
  ~DownloadJob();
  DownloadJob(const DownloadJob&) = delete;
  DownloadJob& operator=(const DownloadJob&) = delete;

  HttpClient& client() { return client_; }

  // One transfer of `path` into `pageFile` ("" keeps no body), reporting to
  // `progress`. True when the body ended properly.
  bool fetch(ProgressSink& progress, const std::string& path, const std::string& pageFile);
  // Up to three transfers 30 seconds apart, with a status line for every
  // second of waiting. False after the third failure or on a cancel; at
  // once when the page could not be saved, which waiting does not mend.
  bool fetchWithRetry(ProgressSink& progress, const std::string& path,
                      const std::string& pageFile);

  // Tells `listener` (null: nobody) of each page body that arrives whole.
  void setBodyListener(PageBodyListener* listener) { bodyListener_ = listener; }

  // Replaces the three tries 30 seconds apart (the command line's --retries).
  void setRetryPolicy(const RetryPolicy& policy) { retryPolicy_ = policy; }

  // Makes the following fetches conditional (a refresh): they carry
  // "if-modified-since" and, when `entityTag` is not empty, "if-none-match",
  // and a 304 answer completes them without a page file (see notModified).
  // An empty `modifiedSince` ends the condition.
  void setCondition(const std::string& modifiedSince, const std::string& entityTag);
  // The last transfer was answered 304 Not Modified.
  bool notModified() const { return notModified_; }

  // TransferObserver.
  bool onConnect(const std::string& host, int port) override;
  bool onHeaders(const HttpResponse& response) override;
  bool onBodyStart(int length) override;
  bool onByte(int byte) override;
  bool onBytes(const unsigned char* bytes, int count) override;
  bool onShortBody(int attempt) override;
  bool onError(const JobMessage& message) override;
  bool onComplete() override;
  bool stillWanted() override;

  static constexpr int kMaxResumes = 4;
  static constexpr int kPageWriteBlock = 64 * 1024;

 private:
  ProgressSink& progress();
  bool countDown();
  // Flushes and closes the page file, keeping it on disk. False when a
  // byte did not reach it.
  bool finishPageFile();
  // A page file that could not be written: reports it, deletes the file
  // and returns false.
  bool failToSave();
  // "http://server[:port]/path" of the current transfer, for error lines.
  std::string currentUrl() const;
  // Closes the page file, drops the bytes not yet written, deletes it.
  void discardPageFile();
  // An answer in a form the job does not read (`header` names it): said,
  // never tried again. Returns false.
  bool refuseUnreadAnswer(const std::string& header, const job::Text& message);

  Clock& clock_;
  FileSystem& files_;
  ProgressSink* progress_ = nullptr;
  HttpClient client_;
  std::string path_;          // the current transfer's request path
  std::string pageFileName_;  // where the next transfer's body goes
  bool saveFailed_ = false;   // the current transfer failed on the local side
  std::string openFileName_;  // the file pageFile_ holds open
  bool bodyStarted_ = false;  // the transfer's byte total is announced
  bool conditional_ = false;  // a 304 answer is welcome
  bool notModified_ = false;  // ... and this transfer got one
  bool finalAnswer_ = false;  // this transfer's answer would not change on another try
  RetryPolicy retryPolicy_;
  DeferredFile pageFile_{files_};
  PageBodyListener* bodyListener_ = nullptr;
  std::string body_;  // the page's bytes so far, kept for the listener
  std::unique_ptr<BufferedSink> sink_;  // declared after pageFile_: goes first
};
