#include "tools/demo_guide/demo_guide_server.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "guide/calendar.h"
#include "tools/demo_guide/demo_pages.h"
#include "tools/demo_guide/request_head.h"

namespace {

DemoAnswer simpleAnswer(int status, const char* reason, const std::string& body = "") {
  DemoAnswer answer;
  answer.status = status;
  answer.reason = reason;
  answer.headers.push_back("Content-Type: text/html");
  answer.body = body;
  return answer;
}

// The year of a month and day within a few months of today, so that a crawl
// across the new year asks for next year's January.
int yearOf(int month, int day) {
  DateTime now = currentDateTime();
  int today = dayNumber(now.year, now.month, now.day);
  int best = now.year;
  for (int year = now.year - 1; year <= now.year + 1; ++year) {
    if (std::abs(dayNumber(year, month, day) - today) < std::abs(dayNumber(best, month, day) - today)) {
      best = year;
    }
  }
  return best;
}

bool validSlot(int mmdd, int hour) { return isRealSlot(mmdd / 100, mmdd % 100, hour); }

DemoAnswer pageAnswer(const DemoSlot& slot, bool markupTitle) {
  DemoAnswer answer;
  answer.headers.push_back("Content-Type: text/html; charset=EUC-JP");
  answer.body = demoPage(slot, markupTitle);
  return answer;
}

std::string etagOf(const std::string& body) {
  unsigned long hash = 5381;
  for (unsigned char c : body) hash = hash * 33 + c;
  char tag[32];
  std::snprintf(tag, sizeof tag, "\"%08lx-%zx\"", hash & 0xffffffffUL, body.size());
  return tag;
}

bool sendText(os::SocketHandle connection, const std::string& text) {
  return os::sendAll(connection, text.data(), static_cast<int>(text.size()));
}

}  // namespace

DemoGuideServer::DemoGuideServer(const DemoGuideOptions& options) : options_(options) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  char cookie[48];
  std::snprintf(cookie, sizeof cookie, "demo_session=%08x%08x", std::rand(), std::rand());
  sessionCookie_ = cookie;
}

DemoGuideServer::~DemoGuideServer() { stop(); }

bool DemoGuideServer::start() {
  listener_ = os::listenTcp(options_.listenAddress, options_.port, 16);
  if (listener_ == os::kNoSocket) return false;
  port_ = os::boundPort(listener_);
  running_ = true;
  acceptThread_ = std::thread([this] { acceptLoop(); });
  return true;
}

void DemoGuideServer::stop() {
  if (!running_.exchange(false)) return;
  if (acceptThread_.joinable()) acceptThread_.join();
  os::closeSocket(listener_);
  listener_ = os::kNoSocket;
  std::vector<Connection> connections;
  {
    std::lock_guard<std::mutex> guard(lock_);
    connections.swap(connections_);
  }
  for (Connection& connection : connections) connection.thread.join();
}

int DemoGuideServer::connectionThreads() {
  std::lock_guard<std::mutex> guard(lock_);
  return static_cast<int>(connections_.size());
}

void DemoGuideServer::joinFinished() {
  // A thread kept for every request ever served ran the process out of threads.
  for (auto connection = connections_.begin(); connection != connections_.end();) {
    if (*connection->done) {
      connection->thread.join();
      connection = connections_.erase(connection);
    } else {
      ++connection;
    }
  }
}

void DemoGuideServer::acceptLoop() {
  while (running_) {
    {
      std::lock_guard<std::mutex> guard(lock_);
      joinFinished();
    }
    if (os::waitReadable(listener_, 100) != 1) continue;
    os::SocketHandle connection = os::acceptConnection(listener_);
    if (connection == os::kNoSocket) continue;
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::lock_guard<std::mutex> guard(lock_);
    connections_.push_back({std::thread([this, connection, done] {
                              serve(connection);
                              *done = true;
                            }),
                            done});
  }
}

void DemoGuideServer::serve(os::SocketHandle connection) {
  std::string head;
  char buffer[2048];
  // A request head is small; stop at its empty line or when the peer is quiet.
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536 && running_) {
    int n = os::receiveWithin(connection, buffer, sizeof buffer, 5000);
    if (n <= 0) break;
    head.append(buffer, n);
  }
  ++requestCount_;
  if (options_.refuse) {
    os::closeSocket(connection);
    return;
  }
  if (options_.silent) {
    while (running_ && os::receiveWithin(connection, buffer, sizeof buffer, 100) != 0) {
    }
    os::closeSocket(connection);
    return;
  }
  RequestHead request = parseRequestHead(head);
  DemoAnswer answer = answerFor(head);
  std::string body = answer.body;
  bool partial = false;
  if (answer.status == 200) {
    answer.headers.push_back("ETag: " + etagOf(body));
    auto range = request.headers.find("range");
    long from = 0;
    if (range != request.headers.end() && std::sscanf(range->second.c_str(), "bytes=%ld-", &from) == 1 &&
        from > 0 && static_cast<std::size_t>(from) < body.size()) {
      char contentRange[96];
      std::snprintf(contentRange, sizeof contentRange, "Content-Range: bytes %ld-%zu/%zu", from,
                    body.size() - 1, body.size());
      answer.headers.push_back(contentRange);
      answer.status = 206;
      answer.reason = "Partial Content";
      body = body.substr(from);
      partial = true;
    }
  }
  answer.headers.push_back("Content-Length: " + std::to_string(body.size()));
  std::string response = "HTTP/1.0 " + std::to_string(answer.status) + " " + answer.reason + "\r\n";
  for (const std::string& header : answer.headers) response += header + "\r\n";
  response += "\r\n";
  bool cut = answer.status == 200 && !partial && cutsSoFar(request.path) <= options_.cutBodies;
  response += cut ? body.substr(0, body.size() / 2) : body;
  sendText(connection, response);
  os::closeSocket(connection);
}

int DemoGuideServer::cutsSoFar(const std::string& path) {
  if (options_.cutBodies <= 0) return 1;
  std::lock_guard<std::mutex> guard(lock_);
  return ++cuts_[path];
}

DemoAnswer DemoGuideServer::answerFor(const std::string& requestHead) {
  RequestHead request = parseRequestHead(requestHead);
  if (options_.failStatus > 0) return simpleAnswer(options_.failStatus, "Service Unavailable");
  std::size_t question = request.path.find('?');
  std::string where = request.path.substr(0, question);
  std::string query = question == std::string::npos ? "" : request.path.substr(question + 1);
  if (where == "/cgi-bin/signin.cgi") return signInAnswer(parseQuery(query));
  if (where == "/cgi-bin/your_table.cgi") {
    auto cookie = request.headers.find("cookie");
    return personalAnswer(parseQuery(query), cookie == request.headers.end() ? "" : cookie->second);
  }
  if (where.compare(0, 8, "/tables/") == 0) return areaAnswer(where);
  if (where == "/" || where == "/index.html") {
    return simpleAnswer(200, "OK", "<html><body>Rokuban demo guide</body></html>");
  }
  return simpleAnswer(404, "Not Found");
}

DemoAnswer DemoGuideServer::signInAnswer(const std::map<std::string, std::string>& query) {
  const std::string& user = options_.user;
  std::size_t dash = user.find('-');
  std::string id1 = dash == std::string::npos ? user : user.substr(0, dash);
  std::string id2 = dash == std::string::npos ? user : user.substr(dash + 1);
  auto value = [&](const char* key) {
    auto found = query.find(key);
    return found == query.end() ? std::string() : found->second;
  };
  DemoAnswer answer = simpleAnswer(302, "Found");
  if (value("id1") == id1 && value("id2") == id2 && value("passwd") == options_.password) {
    answer.headers.push_back("Location: ../index.html");
    answer.headers.push_back("Set-Cookie: " + sessionCookie_ + "; path=/");
  } else {
    answer.headers.push_back("Location: ../signin.html?failed=1");
  }
  return answer;
}

DemoAnswer DemoGuideServer::personalAnswer(const std::map<std::string, std::string>& query,
                                           const std::string& cookie) {
  if (cookie != sessionCookie_) return simpleAnswer(403, "Forbidden");
  auto number = [&](const char* key) {
    auto found = query.find(key);
    return found == query.end() ? -1 : std::atoi(found->second.c_str());
  };
  int mmdd = number("mmdd"), hour = number("hh"), page = number("page");
  if (!validSlot(mmdd, hour) || page < 1 || page > 9) return simpleAnswer(404, "Not Found");
  return pageAnswer({yearOf(mmdd / 100, mmdd % 100), mmdd / 100, mmdd % 100, hour, "_", page}, options_.markupTitle);
}

DemoAnswer DemoGuideServer::areaAnswer(const std::string& path) {
  char area[64];
  int mmdd = 0, hour = 0;
  char tail[8] = "";
  if (std::sscanf(path.c_str(), "/tables/%4d/GBS/%63[^/]/%2d.%5s", &mmdd, area, &hour, tail) != 4 ||
      std::string(tail) != "html" || !validSlot(mmdd, hour)) {
    return simpleAnswer(404, "Not Found");
  }
  return pageAnswer({yearOf(mmdd / 100, mmdd % 100), mmdd / 100, mmdd % 100, hour, area, 1}, options_.markupTitle);
}
