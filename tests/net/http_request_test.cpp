// The bytes of a request head, direct and through a proxy.
#include "net/http_client.h"

#include <gtest/gtest.h>

TEST(BuildRequestTest, DirectCarriesThePathOnlyAndAHostWithItsPort) {
  HttpClient client;
  client.setServer("tv.example", 8080);
  EXPECT_EQ(client.buildRequest("/tables/0105/GBS/tokyo/21.html"),
            "GET /tables/0105/GBS/tokyo/21.html HTTP/1.0\r\n"
            "host: tv.example:8080\r\n"
            "\r\n");
}

TEST(BuildRequestTest, ThroughAProxyCarriesTheAbsoluteUrl) {
  HttpClient client;
  client.setServer("tv.example", 80);
  client.setProxy("proxy.example", 3128);
  EXPECT_EQ(client.buildRequest("/a?b=1"),
            "GET http://tv.example/a?b=1 HTTP/1.0\r\nhost: tv.example\r\n\r\n");
  client.setServer("tv.example", 8080);
  EXPECT_EQ(client.buildRequest("a"),
            "GET http://tv.example:8080/a HTTP/1.0\r\nhost: tv.example:8080\r\n\r\n");
  EXPECT_EQ(client.buildRequest(""),
            "GET http://tv.example:8080 HTTP/1.0\r\nhost: tv.example:8080\r\n\r\n");
}

TEST(BuildRequestTest, WritesHeadersInByteOrderOfTheirNames) {
  HttpClient client;
  client.setServer("tv.example", 80);
  client.setProxy("proxy.example", 3128);
  client.setProxyAuthorization("Basic dXNlcjpwYXNz");
  client.setRequestHeader("range", "bytes=10-");
  client.setRequestHeader("cookie", "session=1");
  client.setRequestHeader("etag", "\"x\"");
  client.setRequestHeader("Content-Length", "0");
  EXPECT_EQ(client.buildRequest("/p"),
            "GET http://tv.example/p HTTP/1.0\r\n"
            "Content-Length: 0\r\n"
            "cookie: session=1\r\n"
            "etag: \"x\"\r\n"
            "host: tv.example\r\n"
            "proxy-authorization: Basic dXNlcjpwYXNz\r\n"
            "range: bytes=10-\r\n"
            "\r\n");
}

TEST(BuildRequestTest, SendsNoCredentialsWithoutAProxy) {
  HttpClient client;
  client.setServer("tv.example", 80);
  client.setProxyAuthorization("Basic dXNlcjpwYXNz");
  EXPECT_EQ(client.buildRequest("/p"), "GET /p HTTP/1.0\r\nhost: tv.example\r\n\r\n");
}
