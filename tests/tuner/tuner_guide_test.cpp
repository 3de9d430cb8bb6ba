// A tuner server's JSON read into the guide: what each programme keeps, the
// extras file that carries it, and the import's completeness rule.
#include <gtest/gtest.h>

#include <string>

#include "bytes/memory_bytes.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "json/json_reader.h"
#include "listing/listing.h"
#include "listing/programme_extras.h"
#include "programme/programme_diff.h"
#include "programme/programme_table.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"
#include "tuner/tuner_guide_reader.h"
#include "tuner/tuner_source.h"
#include "xmltv/xmltv_genres.h"

namespace {

JsonValue parsed(const std::string& text) {
  StringByteSource source(text);
  JsonReader reader(source);
  JsonValue value;
  EXPECT_TRUE(reader.readDocument(value)) << reader.error() << " " << text;
  return value;
}

// 2026-12-08 20:00 Japan time, in ms since the epoch.
const long long kEightPm = 1796727600000LL;

std::string programmeJson(int event, long long startAt, int minutes, const std::string& more = ",\"name\":\"P\"") {
  return "{\"id\":" + std::to_string(3273601024LL * 100000 + event) +
         ",\"networkId\":32736,\"serviceId\":1024,\"eventId\":" + std::to_string(event) +
         ",\"startAt\":" + std::to_string(startAt) + ",\"duration\":" + std::to_string(minutes * 60000) + more + "}";
}

TEST(TunerGuideReader, KeepsIdsGenresExtendedTextsAndSeries) {
  XmltvProgramme programme;
  ASSERT_TRUE(tunerProgrammeOf(
      parsed(programmeJson(5, kEightPm, 30,
                           ",\"name\":\"\xe3\x83\x89\xe3\x83\xa9\xe3\x83\x9e\xf0\x9f\x88\x91\",\"description\":\"d\\r\\ne\","
                           "\"genres\":[{\"lv1\":3,\"lv2\":0},{\"lv1\":2,\"lv2\":5},{\"lv1\":99,\"lv2\":0}],"
                           "\"extended\":{\"\xe5\x87\xba\xe6\xbc\x94\":\"\xe5\xb1\xb1\\n\xe8\xa1\xa8\"},"
                           "\"series\":{\"id\":77,\"episode\":3,\"lastEpisode\":12}")),
      programme));
  EXPECT_EQ("\x83\x68\x83\x89\x83\x7d[\x8e\x9a]", programme.title);  // ドラマ[字]: the mark bracketed
  EXPECT_EQ("d\ne", programme.desc);
  EXPECT_EQ("3273601024", programme.channel);
  EXPECT_EQ(327360102400005LL, programme.broadcast.programmeId);
  EXPECT_EQ(5, programme.broadcast.eventId);
  EXPECT_EQ((std::vector<std::pair<int, int>>{{3, 0}, {2, 5}}), programme.broadcast.genres);
  EXPECT_EQ(genreColourOfCategories({"\x83\x68\x83\x89\x83\x7d"}), genreColourOfCategories(programme.categories));
  EXPECT_EQ("\x8f\x6f\x89\x89\n\x8e\x52\n\x95\x5c", programme.broadcast.extended);  // 出演 / 山 / 表
  EXPECT_EQ(77, programme.broadcast.seriesId);
  EXPECT_EQ(3, programme.broadcast.episode);
  EXPECT_EQ(12, programme.broadcast.lastEpisode);
  EXPECT_TRUE(programme.hasStop);
  EXPECT_EQ(30, programme.stop - programme.start);

  ASSERT_TRUE(tunerProgrammeOf(parsed(programmeJson(6, kEightPm, 0)), programme));
  EXPECT_FALSE(programme.hasStop);  // a length the server does not know yet
  EXPECT_TRUE(programme.broadcast.genres.empty());
  for (const char* broken : {"{\"networkId\":1,\"serviceId\":2,\"startAt\":0,\"duration\":0,\"name\":\"x\"}",
                             "{\"networkId\":1,\"serviceId\":2,\"eventId\":3,\"startAt\":0,\"duration\":0}",
                             "{\"networkId\":70000,\"serviceId\":2,\"eventId\":3,\"startAt\":0,\"duration\":0,\"name\":\"x\"}"}) {
    EXPECT_FALSE(tunerProgrammeOf(parsed(broken), programme)) << broken;
  }

  XmltvChannel channel;
  ASSERT_TRUE(tunerChannelOf(parsed("{\"networkId\":4,\"serviceId\":211,\"type\":1,\"name\":\"BS\","
                                    "\"channel\":{\"type\":\"BS\",\"channel\":\"BS15_0\"}}"),
                             channel));
  EXPECT_EQ("400211", channel.id);
  EXPECT_EQ("BS", channel.type);
  EXPECT_FALSE(tunerChannelOf(parsed("{\"networkId\":4,\"serviceId\":212,\"type\":192,\"name\":\"1seg\"}"), channel));
}

TEST(ProgrammeExtrasFile, CarriesBroadcastDetailsOnLinesOlderReadersPassOver) {
  ProgrammeExtras plain;
  ProgrammeExtra subTitled;
  subTitled.subTitle = "s";
  plain.addChannel("A", "a.example");
  plain.addProgramme("A", 100, subTitled);
  // Nothing of a tuner server: the file as before.
  EXPECT_EQ("rokuban-extras 1 stamp\nc\tA\ta.example\np\tA\t100\t\ts\n", plain.text("stamp"));

  ProgrammeExtras extras;
  ProgrammeExtra extra = subTitled;
  extra.broadcast.programmeId = 327360102400005LL;
  extra.broadcast.networkId = 32736;
  extra.broadcast.serviceId = 1024;
  extra.broadcast.eventId = 5;
  extra.broadcast.genres = {{7, 0}, {15, 15}};
  extra.broadcast.extended = "\x95\x5c\\n\tx\ny";  // 表 ends in a backslash byte
  extra.broadcast.seriesId = 77;
  extra.broadcast.episode = 3;
  extras.addChannel("A", "3273601024", "GR");
  extras.addProgramme("A", 100, extra);
  ProgrammeExtras again;
  ASSERT_TRUE(again.addText(extras.text("stamp"), "stamp"));
  const ProgrammeExtra* read = again.find("A", 100);
  ASSERT_NE(nullptr, read);
  EXPECT_EQ("s", read->subTitle);
  EXPECT_EQ(extra.broadcast.programmeId, read->broadcast.programmeId);
  EXPECT_EQ(extra.broadcast.genres, read->broadcast.genres);
  EXPECT_EQ(extra.broadcast.extended, read->broadcast.extended);
  EXPECT_EQ(3, read->broadcast.episode);
  EXPECT_EQ("GR", again.channelTypes().at("A"));
  EXPECT_EQ("3273601024", again.sourceIds().at("A"));
}

class TunerSourceTest : public ::testing::Test {
 protected:
  TunerSourceTest() { settings.section("_config")["directory"] = folder.file("cache"); }
  // Serves the services and the programmes, in the order they are asked.
  void serve(const std::string& services, const std::string& programmes) {
    server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Type: application/json"}, services));
    server.reply(httpResponse("HTTP/1.0 200 OK", {"Content-Type: application/json"}, programmes));
  }
  int import(const std::string& user = std::string()) {
    return importTunerServer(cache, "http://" + user + "127.0.0.1:" + std::to_string(server.port()) + "/", december8,
                             december8, progress);
  }
  std::size_t programmesAt(int hour) {
    ProgrammeTable loaded;
    cache.loadTableFile(slotKey(dateFromDayNumber(december8), hour), loaded);
    return programmesOf(loaded).size();
  }

  TempFolder folder;
  SettingsStore settings;
  GuideCache cache{settings};
  LoopbackHttpServer server;
  RecordingProgress progress;
  const int december8 = dayNumber(2026, 12, 8);
  const std::string services =
      "[{\"networkId\":32736,\"serviceId\":1024,\"type\":1,\"name\":\"T\",\"channel\":{\"type\":\"GR\"}}]";
};

TEST_F(TunerSourceTest, WritesTheSlotsWithTheirDetailsAndKeepsFullerTablesFromAThinnerAnswer) {
  std::string week = "[";
  for (int i = 0; i < 8; ++i) week += (i ? "," : "") + programmeJson(i + 1, kEightPm + i * 1800000LL, 30);
  serve(services, week + "]");
  ASSERT_EQ(6, import());
  EXPECT_EQ("GET /api/services HTTP/1.0", server.requests()[0].substr(0, server.requests()[0].find('\r')));
  EXPECT_EQ("GET /api/programs HTTP/1.0", server.requests()[1].substr(0, server.requests()[1].find('\r')));
  EXPECT_EQ(6u, programmesAt(21));
  ListingRange range;
  range.from = dateFromDayNumber(december8);
  range.days = 1;
  const Listing listing = collectListing(cache, range);
  ASSERT_EQ(8u, listing.programmes.size());
  EXPECT_EQ("GR", listing.programmes[0].extra().channelType);
  EXPECT_EQ(327360102400001LL, listing.programmes[0].extra().broadcast.programmeId);
  EXPECT_EQ("3273601024", listing.channels[0].id);

  // The base URL's user and password go as the authorization, not in the path.
  serve(services, "[" + programmeJson(1, kEightPm, 30) + "]");
  ASSERT_LE(0, import("u:p@"));
  EXPECT_NE(std::string::npos, server.requests()[3].find("GET /api/programs HTTP/1.0\r\n"));
  EXPECT_NE(std::string::npos, server.requests()[3].find("authorization: Basic dTpw\r\n"));
  EXPECT_EQ(6u, programmesAt(21));  // an empty slot never replaces six programmes

  serve(services, "[" + programmeJson(1, kEightPm, 30) + ",{\"id\":");
  EXPECT_EQ(-1, import());
  EXPECT_NE(std::string::npos, progress.calls.back().find("JSON "));
  EXPECT_EQ(6u, programmesAt(21));
}

}  // namespace
