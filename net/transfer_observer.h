// TransferObserver: what HttpClient::transact tells about one transfer, in
// this order of slots. The download job implements it.
#pragma once

#include <string>

#include "job/job_message.h"
#include "net/http_response.h"

class TransferObserver {
 public:
  // Once per transact, with the host and port actually dialled (the proxy's
  // when there is one). False ends the transfer.
  virtual bool onConnect(const std::string& host, int port) = 0;
  // After each status line and header block. False ends the transfer.
  virtual bool onHeaders(const HttpResponse& response) = 0;
  // The announced body length, -1 without "content-length". False ends it.
  virtual bool onBodyStart(int length) = 0;
  // Every body byte (0..255). False ends the transfer.
  virtual bool onByte(int byte) = 0;
  // The body bytes as they arrive, in place of onByte for each: an observer
  // that keeps them in bulk overrides this. False ends the transfer.
  virtual bool onBytes(const unsigned char* bytes, int count) {
    for (int i = 0; i < count; ++i) {
      if (!onByte(bytes[i])) return false;
    }
    return true;
  }
  // A body of known length ended early; `attempt` counts 1, 2, ... within
  // one transact. True asks for the rest with a range request.
  virtual bool onShortBody(int attempt) = 0;
  // A connect, send or header failure; the result is ignored.
  virtual bool onError(const JobMessage& message) = 0;
  // Before each read of the answer, its head included: false ends the
  // transfer (a cancel, a deadline).
  virtual bool stillWanted() { return true; }
  // The body ended properly. False when the observer could not keep it
  // (it reports why itself): the transfer fails.
  virtual bool onComplete() = 0;

 protected:
  ~TransferObserver() = default;
};
