// The guide service: reading request heads, the documents with their
// validators, and the server's limits over loopback.
#include <gtest/gtest.h>

#include <thread>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "net/clock.h"
#include "os/socket.h"
#include "tests/support/fake_clock.h"
#include "tests/support/raw_http_client.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"
#include "tools/demo_guide/demo_guide_server.h"
#include "webguide/entity_tag.h"
#include "webguide/guide_feed.h"
#include "webguide/guide_routes.h"
#include "webguide/allowed_hosts.h"
#include "webguide/guide_server.h"

namespace {

TEST(WebRequest, HeadsAreReadStrictly) {
  struct Case {
    const char* head;
    int status;
    const char* path;
  };
  const Case cases[] = {
      {"GET /guide.xml HTTP/1.0\r\n\r\n", 200, "/guide.xml"},
      {"GET /guide.json?x=1 HTTP/1.1\nHost: a\n\n", 200, "/guide.json"},
      {"POST /guide.xml HTTP/1.0\r\n\r\n", 405, ""},
      {"HEAD /guide.xml HTTP/1.0\r\n\r\n", 200, "/guide.xml"},
      {"GET http://a/guide.xml HTTP/1.0\r\n\r\n", 400, ""},
      {"GET /guide.xml\r\n\r\n", 400, ""},
      {"GET  /guide.xml HTTP/1.0\r\n\r\n", 400, ""},
      {"GET /guide.xml HTTP/1.0\r\nno colon\r\n\r\n", 400, ""},
      {"GET /guide.xml HTTP/1.0\r\n folded: x\r\n\r\n", 400, ""},
      {"get /guide.xml HTTP/1.0\r\n\r\n", 400, ""},
      {"GET /a\x01 HTTP/1.0\r\n\r\n", 400, ""},
      {"", 400, ""},
  };
  for (const Case& c : cases) {
    WebRequest request;
    EXPECT_EQ(c.status, parseWebRequest(c.head, request)) << c.head;
    if (c.status == 200) {
      EXPECT_EQ(c.path, request.path);
    }
  }
  WebRequest request;
  parseWebRequest("GET / HTTP/1.0\r\nif-NONE-match: \"a\"\r\nIf-None-Match: W/\"b\" \r\n\r\n", request);
  EXPECT_EQ("\"a\", W/\"b\"", request.ifNoneMatch);
  EXPECT_TRUE(etagMatches(request.ifNoneMatch, "\"b\""));
  EXPECT_FALSE(etagMatches(request.ifNoneMatch, "\"c\""));
  EXPECT_TRUE(etagMatches("*", "\"c\""));
  EXPECT_EQ(0u, requestHeadEnd("GET / HTTP/1.0\r\nHost: a\r\n"));
  EXPECT_EQ(18u, requestHeadEnd("GET / HTTP/1.0\r\n\r\nrest"));
}

class GuideServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(demo.start());
    settings.section("_config")["server"] = "127.0.0.1";
    settings.section("_config")["port"] = std::to_string(demo.port());
    settings.section("_config")["directory"] = folder.file("cache");
    settings.setDeleteHtml(true);
  }
  void serve(ConnectionLimits limits = webConnectionLimits()) {
    server = std::make_unique<GuideServer>(guideRouter(std::make_shared<GuideFeed>(settings, 0)), limits);
    ASSERT_TRUE(server->listen("127.0.0.1", 0));
    serving = std::thread([this] { server->serve(); });
  }
  void TearDown() override {
    if (server) server->stop();
    if (serving.joinable()) serving.join();
  }
  TempFolder folder;
  DemoGuideServer demo{DemoGuideOptions()};
  SettingsStore settings;
  std::unique_ptr<GuideServer> server;
  std::thread serving;
};

TEST_F(GuideServerTest, DocumentsCarryValidatorsAndFollowTheCache) {
  FakeClock clock;
  RecordingProgress progress;
  GuideCache cache{settings};
  cache.setClock(&clock);
  const DateTime now = currentDateTime();
  ASSERT_EQ(6, cache.crawl(now, 0, progress));
  cache.setClock(nullptr);
  serve();

  const std::string first = roundTrip(server->port(), "GET /guide.xml HTTP/1.0\r\n\r\n");
  ASSERT_EQ(0u, first.find("HTTP/1.0 200 OK\r\nContent-Type: application/xml; charset=utf-8\r\n")) << first;
  const std::string etag = headerOf(first, "ETag");
  EXPECT_FALSE(headerOf(first, "Last-Modified").empty());
  const std::size_t bodyAt = first.find("\r\n\r\n") + 4;
  EXPECT_EQ(std::to_string(first.size() - bodyAt), headerOf(first, "Content-Length"));
  EXPECT_EQ(0u, first.find("<?xml", bodyAt) - bodyAt);

  const std::string again =
      roundTrip(server->port(), "GET /guide.xml HTTP/1.0\r\nIf-None-Match: " + etag + "\r\n\r\n");
  EXPECT_EQ(0u, again.find("HTTP/1.0 304 Not Modified\r\n"));
  EXPECT_EQ(again.size(), again.find("\r\n\r\n") + 4);  // no body

  // A slot fewer in the cache: a new document with a new tag.
  os::removeFile(cache.tableFileName(slotKey(dateFromDayNumber(broadcastDayNumber(now)), 21)));
  const std::string changed =
      roundTrip(server->port(), "GET /guide.xml HTTP/1.0\r\nIf-None-Match: " + etag + "\r\n\r\n");
  EXPECT_EQ(0u, changed.find("HTTP/1.0 200 OK\r\n"));
  EXPECT_NE(etag, headerOf(changed, "ETag"));
  EXPECT_EQ(0u, roundTrip(server->port(), "GET /guide.json HTTP/1.0\r\n\r\n")
                    .find("HTTP/1.0 200 OK\r\nContent-Type: application/json; charset=utf-8\r\n"));
  // HEAD: GET's head, its length included, and nothing after it.
  const std::string get = roundTrip(server->port(), "GET / HTTP/1.0\r\n\r\n");
  const std::string head = roundTrip(server->port(), "HEAD / HTTP/1.0\r\n\r\n");
  EXPECT_EQ(get.substr(0, get.find("\r\n\r\n") + 4), head);
}

TEST_F(GuideServerTest, NoClientHoldsItLongerThanItsLimits) {
  ConnectionLimits limits = webConnectionLimits();
  limits.requestMilliseconds = 300;
  serve(limits);
  const int port = server->port();
  EXPECT_EQ(0u, roundTrip(port, "GET /etc/passwd HTTP/1.0\r\n\r\n").find("HTTP/1.0 404 Not Found\r\n"));
  EXPECT_EQ(0u, roundTrip(port, "DELETE /guide.xml HTTP/1.0\r\n\r\n").find("HTTP/1.0 405 "));
  // A head that never ends is refused once it passes the limit.
  EXPECT_EQ(0u, roundTrip(port, "GET /" + std::string(kMaxRequestHeadBytes + 10, 'a')).find("HTTP/1.0 400 "));
  // A client that says nothing is dropped at the deadline without a word,
  // while more clients than the cap still get their answers in turn.
  std::vector<std::thread> silent;
  std::vector<std::string> replies(server->limits().maxConnections + 4);
  for (std::size_t i = 0; i < replies.size(); ++i) {
    silent.emplace_back([&, i] { replies[i] = roundTrip(port, i % 2 ? "" : "GET /x HTTP/1.0\r\n"); });
  }
  for (std::thread& client : silent) client.join();
  for (const std::string& reply : replies) EXPECT_EQ("", reply);
  EXPECT_EQ(0u, roundTrip(port, "GET /x HTTP/1.0\r\n\r\n").find("HTTP/1.0 404 "));
}

}  // namespace

namespace {

// A service of two small pages and one answer too big for the socket
// buffers, on a clock that moves only when the test moves it.
class GuideServerLimitsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto router = std::make_shared<WebRouter>();
    router->add("/", [](const WebRequest&) {
      WebResponse response;
      response.body = "ok";
      return response;
    });
    router->add("/big", [](const WebRequest&) {
      WebResponse response;
      response.body.assign(16 << 20, 'a');
      return response;
    });
    ConnectionLimits limits = webConnectionLimits();
    limits.maxConnections = 4;
    limits.now = [this] { return clock.load(); };
    AllowedHosts hosts;
    hosts.add("MyBox");
    hosts.addThisMachine();
    server = std::make_unique<GuideServer>(router, limits, hosts);
    ASSERT_TRUE(server->listen("127.0.0.1", 0));
    serving = std::thread([this] { server->serve(); });
  }
  void TearDown() override {
    for (os::SocketHandle client : clients) os::closeSocket(client);
    server->stop();
    serving.join();
  }
  // A client that sends `bytes` and then does nothing.
  void hold(const std::string& bytes) {
    os::SocketHandle socket = os::openTcpSocket();
    std::uint32_t address = 0;
    os::resolveIPv4("127.0.0.1", address);
    ASSERT_TRUE(os::connectSocket(socket, address, os::networkPort(server->port())));
    if (!bytes.empty()) os::sendAll(socket, bytes.data(), static_cast<int>(bytes.size()));
    clients.push_back(socket);
  }
  bool waitForConnections(int count) {
    const std::uint64_t giveUp = os::tickMilliseconds() + 5000;
    while (server->connectionCount() != count && os::tickMilliseconds() < giveUp) os::sleepMilliseconds(5);
    return server->connectionCount() == count;
  }
  // True when the server ends the connection of `client` within 3 s.
  static bool ended(os::SocketHandle client) {
    char buffer[65536];
    for (int got; (got = os::receiveWithin(client, buffer, sizeof buffer, 3000)) != 0;) {
      if (got < 0) return false;
    }
    return true;
  }

  std::atomic<std::uint64_t> clock{1000};
  std::unique_ptr<GuideServer> server;
  std::thread serving;
  std::vector<os::SocketHandle> clients;
};

TEST_F(GuideServerLimitsTest, HostileClientsCannotKeepARealOneOut) {
  struct Hostile {
    const char* name;
    std::string sends;
  };
  const Hostile kinds[] = {
      {"silent", ""},
      {"half a head", "GET / HTTP/1.0\r\nHost: 127.0.0.1\r\n"},
      {"never reading its answer", "GET /big HTTP/1.0\r\n\r\n"},
  };
  // Every slot taken, and the clock standing still so that no deadline
  // helps: the idlest gives way to the newcomer.
  for (const Hostile& kind : kinds) {
    for (int i = 0; i < server->limits().maxConnections; ++i) hold(kind.sends);
    ASSERT_TRUE(waitForConnections(server->limits().maxConnections)) << kind.name;
    EXPECT_EQ(0u, roundTrip(server->port(), "GET / HTTP/1.0\r\n\r\n", 3000).find("HTTP/1.0 200 OK\r\n"))
        << kind.name;
    for (os::SocketHandle client : clients) os::closeSocket(client);
    clients.clear();
    ASSERT_TRUE(waitForConnections(0)) << kind.name;
  }
  // A head that dribbles in: each byte in time, the whole head not.
  hold("GET / HTTP/1.0\r\n");
  ASSERT_TRUE(waitForConnections(1));
  clock += 6000;
  os::sendAll(clients.back(), "X", 1);
  clock += 6000;
  EXPECT_TRUE(ended(clients.back())) << "dribbling head";
  // An answer not taken ends with the send time-out.
  hold("GET /big HTTP/1.0\r\n\r\n");
  char first;
  ASSERT_EQ(1, os::receiveWithin(clients.back(), &first, 1, 3000));  // the answer has begun
  clock += server->limits().sendMilliseconds;
  EXPECT_TRUE(waitForConnections(0)) << "unread answer";
}

TEST_F(GuideServerLimitsTest, OnlyItsOwnHostNamesAreAnswered) {
  struct Case {
    std::string host;  // the Host header's line, or nothing
    const char* status;
  };
  const Case cases[] = {
      {"", "200"},  // no Host: not a browser, so no foreign page
      {"Host: 127.0.0.1\r\n", "200"},
      {"Host: localhost:23851\r\n", "200"},
      {"Host: LOCALHOST.\r\n", "200"},
      {"Host: [::1]:23851\r\n", "200"},
      {"Host: mybox:80\r\n", "200"},  // given with --allow-host
      {"Host: " + os::hostName() + ":23851\r\n", "200"},  // this machine's own name
      {"Host: evil.example\r\n", "421"},
      {"Host: mybox.evil.example:23851\r\n", "421"},
      {"Host: 127.0.0.1.evil.example\r\n", "421"},
      {"Host: 127.0.0.1:x\r\n", "421"},
      {"Host: \r\n", "421"},
      {"Host: 127.0.0.1\r\nHost: evil.example\r\n", "400"},
  };
  for (const Case& c : cases) {
    const std::string reply = roundTrip(server->port(), "GET / HTTP/1.0\r\n" + c.host + "\r\n");
    EXPECT_EQ(0u, reply.find(std::string("HTTP/1.0 ") + c.status + " ")) << c.host << reply;
  }
  // The address a connection came to counts as its own name.
  AllowedHosts hosts;
  EXPECT_TRUE(hosts.allows("192.168.1.20:23851", "192.168.1.20"));
  EXPECT_FALSE(hosts.allows("192.168.1.21:23851", "192.168.1.20"));
  EXPECT_TRUE(hosts.allows("[fe80::1]", "fe80::1"));
  // A name added with a port would never match: --allow-host refuses it.
  for (const char* name : {"evil.example:80", "[::1]:8080", "mybox:"}) EXPECT_TRUE(AllowedHosts::namesAPort(name)) << name;
  for (const char* name : {"mybox", "::1", "[::1]", "fe80::1"}) EXPECT_FALSE(AllowedHosts::namesAPort(name)) << name;
}

}  // namespace
