#include "net/http_client.h"

#include <algorithm>
#include <cstdio>

#include "bytes/buffered_reader.h"
#include "bytes/stream.h"
#include "job/job_messages.h"
#include "net/response_parser.h"
#include "net/span_reader.h"

namespace {

// The socket as the answer is read from it, asking the observer first each
// time: a server that drips its head a byte at a time never trips the read
// time-out, so a deadline or a cancel is looked at here too.
class WantedStream : public Stream {
 public:
  WantedStream(Stream& stream, TransferObserver& observer) : stream_(stream), observer_(observer) {}
  bool close() override { return stream_.close(); }
  int read(void* buffer, int size) override { return observer_.stillWanted() ? stream_.read(buffer, size) : -1; }
  int write(const void* data, int length) override { return stream_.write(data, length); }

 private:
  Stream& stream_;
  TransferObserver& observer_;
};

}  // namespace

namespace {
const int kPartialContent = 206;
}  // namespace

void HttpClient::setServer(const std::string& host, int port) {
  serverHost_ = host;
  serverPort_ = port;
}

void HttpClient::setProxy(const std::string& host, int port) {
  proxyHost_ = host;
  proxyPort_ = port;
}

void HttpClient::setRequestHeader(const std::string& name, const std::string& value) {
  requestHeaders_[name] = value;
}

void HttpClient::setMethod(const std::string& method, const std::string& body) {
  method_ = method;
  body_ = body;
  if (body.empty()) requestHeaders_.erase("content-type");
  else requestHeaders_["content-type"] = "application/json";
}

std::string HttpClient::buildRequest(const std::string& path) {
  std::string head = method_ + " ";
  if (usesProxy()) {
    head += "http://" + serverAuthority();
    if (!path.empty() && path[0] != '/') head += "/";
  }
  head += path + " HTTP/1.0\r\n";
  requestHeaders_["host"] = serverAuthority();
  if (usesProxy() && !proxyAuthorization_.empty())
    requestHeaders_["proxy-authorization"] = proxyAuthorization_;
  for (const auto& header : requestHeaders_) head += header.first + ": " + header.second + "\r\n";
  return head + "\r\n";
}

std::string HttpClient::serverAuthority() const {
  // An IPv6 address is bracketed, or its colons would read as a port's.
  std::string authority = serverHost_.find(':') == std::string::npos ? serverHost_ : "[" + serverHost_ + "]";
  if (serverPort_ != 80) authority += ":" + std::to_string(serverPort_);
  return authority;
}

std::string HttpClient::responseHeader(const std::string& name) const {
  auto found = response_.headers.find(name);
  return found == response_.headers.end() ? std::string() : found->second;
}

bool HttpClient::transact(const std::string& path, TransferObserver& observer) {
  answerTooLarge_ = false;
  if (!observer.onConnect(targetHost(), targetPort())) return false;
  path_ = path;
  // A range belongs to the resumed attempts of one transfer only.
  requestHeaders_.erase("range");
  requestHeaders_.erase("etag");
  requestHeaders_["Content-Length"] = std::to_string(body_.size());
  int received = 0;  // body bytes of this transfer, over all its attempts
  for (int resumed = 0;;) {
    Outcome outcome = attempt(observer, resumed, received);
    if (outcome == Outcome::kComplete) return true;
    if (outcome == Outcome::kFailed) return false;
    if (!observer.onShortBody(++resumed)) return false;
    char range[32];
    std::snprintf(range, sizeof range, "bytes=%d-", received);
    requestHeaders_["range"] = range;
    requestHeaders_["etag"] = responseHeader("etag");
  }
}

HttpClient::Outcome HttpClient::attempt(TransferObserver& observer, int resumedAttempts,
                                        int& received) {
  TcpSocket socket(readTimeout_);
  if (!socket.openAndConnect(targetHost(), targetPort())) {
    observer.onError(job::kConnectFailed);
    return Outcome::kFailed;
  }
  std::string head = buildRequest(path_) + body_;
  int length = static_cast<int>(head.size());
  if (socket.write(head.data(), length) != length) {
    observer.onError(job::kSendFailed);
    return Outcome::kFailed;
  }
  WantedStream wanted(socket, observer);
  BufferedReader reader(wanted);
  ResponseParser parser(reader);
  if (!parser.parse(response_)) {
    // Half a head proves nothing: no status or header of it may count.
    response_ = HttpResponse();
    observer.onError(job::kReceiveFailed);
    return Outcome::kFailed;
  }
  if (!observer.onHeaders(response_)) return Outcome::kFailed;
  // A server that ignores the range sends the whole body again: count anew.
  if (resumedAttempts > 0 && response_.status != kPartialContent) received = 0;
  auto lengthHeader = response_.headers.find("content-length");
  int bodyLength = lengthHeader == response_.headers.end() ? -1 : parseLeadingInt(lengthHeader->second);
  if (bodyLength > maxBodyBytes_) {
    answerTooLarge_ = true;
    observer.onError(tooLarge_ ? *tooLarge_ : job::kPageTooLarge);
    return Outcome::kFailed;
  }
  if (!observer.onBodyStart(bodyLength)) return Outcome::kFailed;
  return readBody(parser, bodyLength, observer, received);
}

HttpClient::Outcome HttpClient::readBody(ByteSource& body, int length, TransferObserver& observer,
                                         int& received) {
  SpanReader reader(body);
  int count = 0;
  // Never read past the announced length: the bytes after it are not ours.
  while (length < 0 || count < length) {
    const unsigned char* bytes = nullptr;
    int ready = reader.next(bytes);
    if (ready == 0) break;
    if (count == maxBodyBytes_) {
      answerTooLarge_ = true;
      observer.onError(tooLarge_ ? *tooLarge_ : job::kPageTooLarge);
      return Outcome::kFailed;
    }
    if (length >= 0) ready = std::min(ready, length - count);
    ready = std::min(ready, maxBodyBytes_ - count);
    if (!observer.onBytes(bytes, ready)) return Outcome::kFailed;
    reader.take(ready);
    count += ready;
    received += ready;
  }
  if (length < 0 || count == length) {
    return observer.onComplete() ? Outcome::kComplete : Outcome::kFailed;
  }
  return Outcome::kShort;
}
