// HttpClient: HTTP/1.0 GET of one resource at a time, directly or through a
// proxy, feeding the body byte by byte to a TransferObserver and resuming a
// broken body with a byte range when the observer agrees.
//
// Calling protocol: set the server (and the proxy and its credentials), add
// request headers of your own (the session cookie), then call transact once
// per resource. One client serves a whole job on one thread.
#pragma once

#include <string>

#include "net/body_limit.h"
#include "net/header_map.h"
#include "net/http_response.h"
#include "net/tcp_socket.h"
#include "net/transfer_observer.h"

class ByteSource;

class HttpClient {
 public:
  HttpClient() = default;
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  void setServer(const std::string& host, int port);
  // An empty host means no proxy.
  void setProxy(const std::string& host, int port);
  // The "proxy-authorization" value (see basicCredentials); "" for none.
  void setProxyAuthorization(const std::string& value) { proxyAuthorization_ = value; }
  // Adds or replaces a header sent with every request of this client.
  void setRequestHeader(const std::string& name, const std::string& value);
  void removeRequestHeader(const std::string& name) { requestHeaders_.erase(name); }
  const HeaderMap& requestHeaders() const { return requestHeaders_; }
  // The read time-out of each socket this client opens.
  void setReadTimeout(int milliseconds) { readTimeout_ = milliseconds; }
  // The largest body a transfer accepts (kMaxBodyBytes unless changed); a
  // longer one, announced or not, fails the transfer through onError, with
  // `tooLarge` when given (it names the limit), else "ページが16MBを超えました！".
  void setMaxBodyBytes(int bytes, const job::Text* tooLarge = nullptr) {
    maxBodyBytes_ = bytes;
    tooLarge_ = tooLarge;
  }

  // The method and body of the requests that follow: GET without a body
  // unless set. A body goes with "content-type: application/json".
  void setMethod(const std::string& method, const std::string& body = std::string());

  // The request head for `path`. Sets "host" (with the port unless it is
  // 80) and, with a proxy and credentials, "proxy-authorization" in the
  // request headers.
  std::string buildRequest(const std::string& path);
  // "host[:port]" of the server, the port left out when it is 80: the
  // "host" header, and what an error line names.
  std::string serverAuthority() const;

  // Fetches `path`. True when the body ended properly (the observer's
  // onComplete was called); false otherwise, the observer already told why.
  bool transact(const std::string& path, TransferObserver& observer);
  // True when the last transfer failed because its body was over the
  // limit: trying again would fetch the same too-large answer.
  bool answerTooLarge() const { return answerTooLarge_; }

  // The last response, also after a refused status; empty (status 0) after
  // a head that did not parse.
  const HttpResponse& response() const { return response_; }
  int status() const { return response_.status; }
  // A header of the last response, "" when absent.
  std::string responseHeader(const std::string& name) const;
  const std::string& path() const { return path_; }

 private:
  enum class Outcome { kComplete, kShort, kFailed };

  bool usesProxy() const { return !proxyHost_.empty(); }
  const std::string& targetHost() const { return usesProxy() ? proxyHost_ : serverHost_; }
  int targetPort() const { return usesProxy() ? proxyPort_ : serverPort_; }
  // One connection: request out, head and body in.
  Outcome attempt(TransferObserver& observer, int resumedAttempts, int& received);
  // Passes body bytes on; kShort when fewer than `length` (>= 0) arrived.
  Outcome readBody(ByteSource& body, int length, TransferObserver& observer, int& received);

  std::string path_;
  std::string method_ = "GET";
  std::string body_;
  std::string serverHost_;
  int serverPort_ = 80;
  std::string proxyHost_;
  int proxyPort_ = 0;
  std::string proxyAuthorization_;
  HeaderMap requestHeaders_;
  HttpResponse response_;
  int readTimeout_ = TcpSocket::kDefaultReadTimeoutMilliseconds;
  int maxBodyBytes_ = kMaxBodyBytes;
  const job::Text* tooLarge_ = nullptr;
  bool answerTooLarge_ = false;
};
