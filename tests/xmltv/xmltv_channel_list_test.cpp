// The channels of a document for the XMLTV dialog: from a file and over
// HTTP, undeclared channels, and the failures it reports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "os/os.h"
#include "os/text.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"
#include "tests/xmltv/xmltv_samples.h"
#include "xmltv/xmltv_channel_list.h"

namespace {

// "id name" per channel.
std::vector<std::string> lines(const std::vector<XmltvChannel>& channels) {
  std::vector<std::string> out;
  for (const XmltvChannel& channel : channels) out.push_back(channel.id + " " + os::cp932ToUtf8(channel.name));
  return out;
}

class XmltvChannelListTest : public ::testing::Test {
 protected:
  XmltvChannelListTest() {
    settings.section("_config")["directory"] = folder.file("cache");
  }
  int readFile(const std::string& document) {
    writeWholeFile(folder.file("in.xml"), document);
    return readXmltvChannels(cache, folder.file("in.xml"), channels, progress);
  }

  TempFolder folder;
  SettingsStore settings;
  GuideCache cache{settings};
  RecordingProgress progress;
  std::vector<XmltvChannel> channels;
};

TEST_F(XmltvChannelListTest, TheDeclaredChannelsInDocumentOrder) {
  ASSERT_EQ(3, readFile(kGrabberDocument));
  EXPECT_EQ((std::vector<std::string>{"one.example 第一放送", "two.example Two & Co",
                                      "empty.example 空きチャンネル"}),
            lines(channels));
}

TEST_F(XmltvChannelListTest, UndeclaredChannelsAreNamedByTheirIdsAndRepeatsCountOnce) {
  const char* documents[] = {
      // Only programmes: their channels, as the import names them.
      "<tv><programme start=\"20261208050000\" channel=\"x.example\"><title>a</title></programme>"
      "<programme start=\"20261208060000\" channel=\"y.example\"><title>b</title></programme>"
      "<programme start=\"20261208070000\" channel=\"x.example\"><title>c</title></programme></tv>",
      // Declared ones end the reading at the first programme; a repeat is skipped.
      "<tv><channel id=\"x.example\"><display-name>x.example</display-name></channel>"
      "<channel id=\"y.example\"><display-name>y.example</display-name></channel>"
      "<channel id=\"x.example\"><display-name>again</display-name></channel>"
      "<programme start=\"20261208050000\" channel=\"z.example\"><title>a</title></programme>"
      "<broken></tv>",
  };
  for (const char* document : documents) {
    ASSERT_EQ(2, readFile(document)) << document;
    EXPECT_EQ((std::vector<std::string>{"x.example x.example", "y.example y.example"}), lines(channels));
  }
}

TEST_F(XmltvChannelListTest, FailuresAreReported) {
  EXPECT_EQ(-1, readXmltvChannels(cache, folder.file("none.xml"), channels, progress));
  EXPECT_EQ(-1, readFile("<tv><channel id=\"a\"></tv>"));
  ASSERT_EQ(2u, progress.calls.size());
  for (const std::string& call : progress.calls) EXPECT_EQ(0u, call.find("error XMLTV")) << call;
}

TEST_F(XmltvChannelListTest, AUrlIsFetchedOnceAndItsCopyDeleted) {
  LoopbackHttpServer server;
  server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Type: text/xml"}, kGrabberDocument));
  server.reply(httpResponse("HTTP/1.0 404 Not Found", {}, ""));
  server.reply(httpResponse("HTTP/1.0 200 OK", {}, kGrabberDocument));  // never asked: no retry
  settings.setCookie("session=secret");
  const std::string url = "http://127.0.0.1:" + std::to_string(server.port()) + "/epg/guide.xml";
  EXPECT_EQ(3, readXmltvChannels(cache, url, channels, progress));
  EXPECT_EQ(-1, os::fileAttributes(cache.cacheDirectory() + "xmltvchl.xml"));
  EXPECT_EQ(-1, readXmltvChannels(cache, url, channels, progress));
  ASSERT_EQ(2u, server.requests().size());
  EXPECT_EQ(0u, server.requests()[0].find("GET /epg/guide.xml HTTP/1.0\r\n"));
  EXPECT_EQ(std::string::npos, server.requests()[0].find("secret"));
}

}  // namespace
