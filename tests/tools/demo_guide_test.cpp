// The demo guide's answers, without a socket: what the crawl tests and the
// demo rely on beyond the pages themselves.
#include <gtest/gtest.h>

#include "net/tcp_socket.h"
#include "tests/support/raw_http_client.h"
#include "tools/demo_guide/demo_guide_server.h"
#include "tools/demo_guide/request_head.h"

namespace {

bool hasHeader(const DemoAnswer& answer, const std::string& prefix) {
  for (const std::string& header : answer.headers) {
    if (header.compare(0, prefix.size(), prefix) == 0) return true;
  }
  return false;
}

TEST(DemoGuideTest, RequestHeadsInBothFormsAndQueries) {
  RequestHead direct = parseRequestHead("GET /a?b=1 HTTP/1.0\r\nCookie: x=1\r\nHOST: h\r\n\r\n");
  EXPECT_EQ("/a?b=1", direct.path);
  EXPECT_EQ("x=1", direct.headers["cookie"]);
  EXPECT_EQ("h", direct.headers["host"]);
  EXPECT_EQ("/tables/x.html", parseRequestHead("GET http://h:80/tables/x.html HTTP/1.0\r\n\r\n").path);
  auto query = parseQuery("id1=a%20b&id2=%26&passwd=%zz&empty=");
  EXPECT_EQ("a b", query["id1"]);
  EXPECT_EQ("&", query["id2"]);
  EXPECT_EQ("%zz", query["passwd"]);
  EXPECT_EQ("", query["empty"]);
}

TEST(DemoGuideTest, SignInPersonalPagesAndUnknownPaths) {
  DemoGuideServer server{DemoGuideOptions()};
  DemoAnswer refused = server.answerFor(
      "GET /cgi-bin/signin.cgi?id1=demo&id2=user&passwd=nope HTTP/1.0\r\n\r\n");
  EXPECT_EQ(302, refused.status);
  EXPECT_FALSE(hasHeader(refused, "Location: ../index.html"));
  DemoAnswer signedIn = server.answerFor(
      "GET /cgi-bin/signin.cgi?id1=demo&id2=user&passwd=demo HTTP/1.0\r\n\r\n");
  EXPECT_TRUE(hasHeader(signedIn, "Location: ../index.html"));
  ASSERT_TRUE(hasHeader(signedIn, "Set-Cookie: "));

  const std::string personal = "GET /cgi-bin/your_table.cgi?mmdd=1207&hh=21&t=4&page=2&opt_g=1 HTTP/1.0\r\n";
  EXPECT_EQ(403, server.answerFor(personal + "\r\n").status);
  std::string cookie;
  for (const std::string& header : signedIn.headers) {
    if (header.compare(0, 12, "Set-Cookie: ") == 0) cookie = header.substr(12, header.find(';') - 12);
  }
  DemoAnswer page = server.answerFor(personal + "cookie: " + cookie + "\r\n\r\n");
  EXPECT_EQ(200, page.status);
  EXPECT_NE(std::string::npos, page.body.find("</html>"));

  EXPECT_EQ(404, server.answerFor("GET /tables/1207/GBS/tokyo/22.html HTTP/1.0\r\n\r\n").status);
  EXPECT_EQ(404, server.answerFor("GET /elsewhere HTTP/1.0\r\n\r\n").status);
  EXPECT_EQ(200, server.answerFor("GET /tables/1207/GBS/tokyo/25.html HTTP/1.0\r\n\r\n").status);
}

TEST(DemoGuideTest, FinishedConnectionsLeaveNoThreadBehind) {
  DemoGuideServer server{DemoGuideOptions()};
  ASSERT_TRUE(server.start());
  const std::string request = "GET / HTTP/1.0\r\n\r\n";
  for (int i = 0; i < 40; ++i) {
    TcpSocket client(3000);
    ASSERT_EQ(client.openAndConnect("127.0.0.1", server.port()), 1);
    ASSERT_EQ(client.write(request.data(), static_cast<int>(request.size())), static_cast<int>(request.size()));
    char buffer[512];
    while (client.read(buffer, sizeof buffer) > 0) {
    }
  }
  // Each connection's thread is joined once its answer is out; a few may
  // still be on their way.
  EXPECT_LT(server.connectionThreads(), 5);
}

TEST(DemoGuideTest, UnchangedPagesAreAnsweredNotModified) {
  DemoGuideServer server{DemoGuideOptions()};
  ASSERT_TRUE(server.start());
  const std::string get = "GET /tables/1207/GBS/tokyo/21.html HTTP/1.0\r\n";
  const std::string first = roundTrip(server.port(), get + "\r\n");
  ASSERT_EQ(0u, first.find("HTTP/1.0 200 "));
  const std::string tag = headerOf(first, "ETag"), modified = headerOf(first, "Last-Modified");
  ASSERT_FALSE(tag.empty());
  ASSERT_FALSE(modified.empty());
  const struct {
    std::string conditions;
    const char* status;
  } cases[] = {
      {"If-None-Match: \"other\", " + tag + "\r\n", "304"},
      {"If-Modified-Since: " + modified + "\r\n", "304"},
      {"If-Modified-Since: Thu, 01 Jan 2026 00:00:00 GMT\r\n", "200"},
      {"If-None-Match: \"other\"\r\nIf-Modified-Since: " + modified + "\r\n", "200"},
      {"If-Modified-Since: yesterday\r\n", "200"},
  };
  for (const auto& each : cases) {
    const std::string answer = roundTrip(server.port(), get + each.conditions + "\r\n");
    EXPECT_EQ(0u, answer.find(std::string("HTTP/1.0 ") + each.status + " ")) << each.conditions;
    if (answer.find(" 304 ") == 8) {
      EXPECT_EQ(answer.size(), answer.find("\r\n\r\n") + 4);  // no body
    }
  }
}

}  // namespace
