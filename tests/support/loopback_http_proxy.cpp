#include "tests/support/loopback_http_proxy.h"

#include "os/ascii.h"

namespace {
const int kPollMilliseconds = 20;
const int kIdleMilliseconds = 2000;

const char kAuthenticationRequired[] =
    "HTTP/1.0 407 Proxy Authentication Required\r\n"
    "Proxy-Authenticate: Basic realm=\"loopback\"\r\n\r\n";
const char kBadGateway[] = "HTTP/1.0 502 Bad Gateway\r\n\r\n";

void sendText(os::SocketHandle connection, const std::string& text) {
  os::sendAll(connection, text.data(), static_cast<int>(text.size()));
}
}  // namespace

LoopbackHttpProxy::LoopbackHttpProxy(const std::string& credentials)
    : credentials_(credentials), thread_([this] { serve(); }) {}

LoopbackHttpProxy::~LoopbackHttpProxy() {
  running_ = false;
  thread_.join();
}

void LoopbackHttpProxy::route(const std::string& hostAndPort, int loopbackPort) {
  std::lock_guard<std::mutex> hold(lock_);
  routes_[hostAndPort] = loopbackPort;
}

std::vector<std::string> LoopbackHttpProxy::requests() const {
  std::lock_guard<std::mutex> hold(lock_);
  return requests_;
}

void LoopbackHttpProxy::serve() {
  while (running_) {
    os::SocketHandle client = listener_.acceptWithin(kPollMilliseconds);
    if (client == os::kNoSocket) continue;
    handle(client);
    os::closeSocket(client);
  }
}

void LoopbackHttpProxy::handle(os::SocketHandle client) {
  std::string head = readRequestHead(client, kIdleMilliseconds);
  {
    std::lock_guard<std::mutex> hold(lock_);
    requests_.push_back(head);
  }
  if (!authorized(head)) return sendText(client, kAuthenticationRequired);
  std::string forwarded;
  int port = rewrite(head, forwarded);
  if (port < 0) return sendText(client, kBadGateway);
  os::SocketHandle origin = os::openTcpSocket();
  std::uint32_t loopback;
  if (!os::resolveIPv4("127.0.0.1", loopback) ||
      !os::connectSocket(origin, loopback, os::networkPort(port))) {
    os::closeSocket(origin);
    return sendText(client, kBadGateway);
  }
  sendText(origin, forwarded);
  relay(origin, client);
  os::closeSocket(origin);
}

bool LoopbackHttpProxy::authorized(const std::string& head) const {
  std::size_t start = 0;
  for (std::size_t end; (end = head.find("\r\n", start)) != std::string::npos; start = end + 2) {
    std::string line = head.substr(start, end - start);
    const std::string name = "proxy-authorization: ";
    if (ascii::lowered(line.substr(0, name.size())) == name)
      return line.substr(name.size()) == credentials_;
  }
  return false;
}

int LoopbackHttpProxy::rewrite(const std::string& head, std::string& forwarded) const {
  const std::string prefix = "GET http://";
  if (head.compare(0, prefix.size(), prefix) != 0) return -1;
  std::size_t pathStart = head.find('/', prefix.size());
  std::size_t lineEnd = head.find("\r\n");
  if (pathStart == std::string::npos || lineEnd == std::string::npos || pathStart > lineEnd)
    return -1;
  std::string hostAndPort = head.substr(prefix.size(), pathStart - prefix.size());
  int port;
  {
    std::lock_guard<std::mutex> hold(lock_);
    auto found = routes_.find(hostAndPort);
    if (found == routes_.end()) return -1;
    port = found->second;
  }
  forwarded = "GET " + head.substr(pathStart, lineEnd + 2 - pathStart);
  std::size_t start = lineEnd + 2;
  for (std::size_t end; (end = head.find("\r\n", start)) != std::string::npos; start = end + 2) {
    std::string line = head.substr(start, end - start + 2);
    if (ascii::lowered(line).compare(0, 20, "proxy-authorization:") != 0) forwarded += line;
  }
  return port;
}

void LoopbackHttpProxy::relay(os::SocketHandle from, os::SocketHandle to) {
  char buffer[4096];
  while (running_) {
    int ready = os::waitReadable(from, kPollMilliseconds);
    if (ready == 0) continue;
    int received = ready > 0 ? os::receiveWithin(from, buffer, sizeof buffer, 0) : -1;
    if (received <= 0 || !os::sendAll(to, buffer, received)) return;
  }
}
