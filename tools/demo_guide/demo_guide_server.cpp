#include "tools/demo_guide/demo_guide_server.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "calendar/calendar.h"
#include "guide/http_date.h"
#include "os/os.h"
#include "tools/demo_guide/demo_pages.h"
#include "tools/demo_guide/request_head.h"
#include "webguide/entity_tag.h"

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

// Room for a crawl's parallel downloads and a few stray clients. A silent
// service keeps every request waiting until the client gives up.
ConnectionLimits demoLimits(const DemoGuideOptions& options) {
  ConnectionLimits limits;
  limits.maxConnections = 32;
  if (options.silent) limits.requestMilliseconds = 10 * 60 * 1000;
  return limits;
}

}  // namespace

DemoGuideServer::DemoGuideServer(const DemoGuideOptions& options)
    : options_(options),
      startedAt_(os::currentUnixTime()),
      connections_(demoLimits(options), [this](ConnectionSlot& slot) { serve(slot); }) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  char cookie[48];
  std::snprintf(cookie, sizeof cookie, "demo_session=%08x%08x", std::rand(), std::rand());
  sessionCookie_ = cookie;
}

DemoGuideServer::~DemoGuideServer() { stop(); }

bool DemoGuideServer::start() {
  if (!connections_.listen(options_.listenAddress, options_.port)) return false;
  port_ = connections_.port();
  serveThread_ = std::thread([this] { connections_.serve(); });
  return true;
}

void DemoGuideServer::stop() {
  connections_.stop();
  if (serveThread_.joinable()) serveThread_.join();
}

bool DemoGuideServer::unchangedFor(const std::map<std::string, std::string>& headers,
                                   const std::string& entityTag) const {
  if (!options_.answersNotModified) return false;
  auto match = headers.find("if-none-match");
  // A client that names tags is answered by them alone.
  if (match != headers.end()) return etagMatches(match->second, entityTag);
  auto since = headers.find("if-modified-since");
  if (since == headers.end()) return false;
  const std::int64_t time = unixTimeOfHttpDate(since->second);
  return time >= startedAt_;
}

void DemoGuideServer::serve(ConnectionSlot& slot) {
  std::string head;
  char buffer[2048];
  // A request head is small; stop at its empty line or when the peer is quiet.
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
    int n = slot.receive(slot.acceptedAt(), buffer, sizeof buffer);
    if (n <= 0) break;
    head.append(buffer, n);
  }
  ++requestCount_;
  if (options_.refuse || options_.silent) return;
  RequestHead request = parseRequestHead(head);
  DemoAnswer answer = answerFor(head);
  std::string body = answer.body;
  bool partial = false;
  if (answer.status == 200) {
    const std::string entityTag = etagOf(body);
    answer.headers.push_back("ETag: " + entityTag);
    answer.headers.push_back("Last-Modified: " + httpDate(startedAt_));
    if (unchangedFor(request.headers, entityTag)) {
      answer.status = 304;
      answer.reason = "Not Modified";
      body.clear();
    }
    auto range = request.headers.find("range");
    long from = 0;
    if (answer.status == 200 && range != request.headers.end() &&
        std::sscanf(range->second.c_str(), "bytes=%ld-", &from) == 1 && from > 0 &&
        static_cast<std::size_t>(from) < body.size()) {
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
  if (answer.status != 304) answer.headers.push_back("Content-Length: " + std::to_string(body.size()));
  std::string response = "HTTP/1.0 " + std::to_string(answer.status) + " " + answer.reason + "\r\n";
  for (const std::string& header : answer.headers) response += header + "\r\n";
  response += "\r\n";
  bool cut = answer.status == 200 && !partial && cutsSoFar(request.path) <= options_.cutBodies;
  response += cut ? body.substr(0, body.size() / 2) : body;
  slot.sendWhole(response);
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
