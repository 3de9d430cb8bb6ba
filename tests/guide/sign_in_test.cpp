// Sign-in against a scripted service on 127.0.0.1: the request it sends, the
// redirect it takes for success and the cookie it keeps.
#include "guide/sign_in.h"

#include <gtest/gtest.h>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/recording_progress.h"

namespace {

const std::string kBadCredentials =
    "error TvGuide\x82\xcc\x94\x46\x8f\xd8\x82\xcc\x90\xdd\x92\xe8\x82\xaa\x95\x73\x90\xb3\x82\xc5"
    "\x82\xb7\x81\x42";
const std::string kNotSignedIn =
    "error \x94\x46\x8f\xd8\x82\xb3\x82\xea\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42";

class SignInTest : public ::testing::Test {
 protected:
  SignInTest() {
    settings.section("_config")["server"] = "127.0.0.1";
    settings.section("_config")["port"] = std::to_string(server.port());
    settings.setArea("_");
    settings.setCookie("old=1");
  }
  bool signIn(const std::string& user, const std::string& password) {
    settings.setTvGuideUser(user);
    settings.setTvGuidePass(password);
    return cache.signIn(progress);
  }
  static std::string redirect(const std::string& location, const std::string& cookieLine) {
    std::vector<std::string> headers{"Location: " + location};
    if (!cookieLine.empty()) headers.push_back(cookieLine);
    return httpResponse("HTTP/1.0 302 Found", headers, "");
  }

  LoopbackHttpServer server;
  SettingsStore settings;
  GuideCache cache{settings};
  RecordingProgress progress;
};

TEST_F(SignInTest, RedirectToIndexStoresTheCookieUpToItsAttributes) {
  server.reply(redirect("../index.html", "Set-Cookie: sid=abc123; path=/; expires=never"));
  EXPECT_TRUE(signIn("first-sec-ond", "pw"));
  EXPECT_EQ("sid=abc123", settings.cookie());
  ASSERT_EQ(1u, server.requests().size());
  EXPECT_EQ(
      "GET /cgi-bin/signin.cgi?id1=first&id2=sec-ond&passwd=pw HTTP/1.0\r\n"
      "Content-Length: 0\r\ncookie: \r\nhost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n\r\n",
      server.requests()[0]);
}

TEST_F(SignInTest, IdWithoutHyphenIsSentTwiceAndCookieWithoutAttributesIsKeptWhole) {
  server.reply(redirect("../index.html", "Set-Cookie: whole"));
  EXPECT_TRUE(signIn("solo", "pw"));
  EXPECT_EQ("whole", settings.cookie());
  EXPECT_NE(std::string::npos, server.requests()[0].find("?id1=solo&id2=solo&passwd=pw "));
}

TEST_F(SignInTest, AnswerWithoutCookieStillSucceedsWithAnEmptyCookie) {
  server.reply(redirect("../index.html", ""));
  EXPECT_TRUE(signIn("a-b", "pw"));
  EXPECT_EQ("", settings.cookie());
}

TEST_F(SignInTest, BadSettingsAreRefusedBeforeAnyConnection) {
  for (auto [user, password] : {std::pair<const char*, const char*>{"", "pw"}, {"a-b", ""},
                                {"-b", "pw"}, {"a-", "pw"}}) {
    progress.calls.clear();
    settings.setCookie("old=1");
    EXPECT_FALSE(signIn(user, password)) << user;
    EXPECT_EQ(std::vector<std::string>{kBadCredentials}, progress.calls);
    EXPECT_EQ("", settings.cookie());
  }
  EXPECT_TRUE(server.requests().empty());
}

TEST_F(SignInTest, OnlyTheRelativeIndexRedirectCounts) {
  server.reply(redirect("http://127.0.0.1/index.html", "Set-Cookie: sid=x"));
  EXPECT_FALSE(signIn("a-b", "pw"));
  EXPECT_EQ(kNotSignedIn, progress.calls.back());
  EXPECT_EQ("", settings.cookie());
}

TEST_F(SignInTest, AnyOtherStatusFailsAndLeavesNoCookie) {
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Set-Cookie: sid=x"}, "login page"));
  EXPECT_FALSE(signIn("a-b", "pw"));
  EXPECT_EQ("", settings.cookie());
}

TEST_F(SignInTest, CredentialsCannotBreakTheRequest) {
  server.reply(redirect("../index.html", "Set-Cookie: sid=x"));
  // The store refuses a line break now; a value set past it still goes escaped.
  settings.section("_config")["tvguidepass"] = "p w\r\nX-Evil: 1&#%+\x82\xa0~";
  settings.setTvGuideUser("a b-c&d");
  EXPECT_TRUE(cache.signIn(progress));
  EXPECT_EQ(
      "GET /cgi-bin/signin.cgi?id1=a%20b&id2=c%26d&passwd=p%20w%0D%0AX-Evil:%201%26%23%25%2B%82%A0~"
      " HTTP/1.0\r\n",
      server.requests()[0].substr(0, server.requests()[0].find("\r\n") + 2));
}

TEST_F(SignInTest, AHeadCutShortIsAFailureWhateverItHeld) {
  server.reply("HTTP/1.0 302 Found\r\nLocation: ../index.html\r\nSet-Cookie: sid=x\r\n");
  EXPECT_FALSE(signIn("a-b", "pw"));
  EXPECT_EQ("", settings.cookie());
}

TEST(SignInPathTest, LongCredentialsAreNeitherCutNorOverflowing) {
  std::string password(400, 'p');
  std::string path = signInPath("a", "b", password);
  EXPECT_EQ("/cgi-bin/signin.cgi?id1=a&id2=b&passwd=" + password, path);
}

}  // namespace
