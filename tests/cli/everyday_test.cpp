// The command line as a new user meets it: the week a crawl takes by
// default, the days a listing lacks said once, settings refused in words.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli.h"
#include "os/os.h"
#include "tests/support/temp_folder.h"

namespace {

class EverydayCliTest : public ::testing::Test {
 protected:
  int run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--ini", path});
    return runCli(args);
  }
  // An hour's programme at 20:00 on each of nine days from 12/07.
  void writeNineDays() {
    std::string document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tv><channel id=\"one\"><display-name>One</display-name></channel>\n";
    for (int day = 7; day <= 15; ++day) {
      const std::string date = (day < 10 ? "2026120" : "202612") + std::to_string(day);
      document += "<programme start=\"" + date + "200000 +0900\" stop=\"" + date +
                  "210000 +0900\" channel=\"one\"><title>Day " + std::to_string(day) + "</title></programme>\n";
    }
    writeWholeFile(folder.file("guide.xml"), document + "</tv>\n");
  }
  bool holdsDay(const std::string& cache, int day) {
    return os::fileAttributes(folder.file(cache + (day < 10 ? "/120" : "/12") + std::to_string(day) + "17tb.tmp")) != -1;
  }
  std::string settingsFor(const std::string& cache) {
    return "[_config]\r\ndirectory=" + folder.file(cache) + "\r\nxmltvsource=" + folder.file("guide.xml") + "\r\n";
  }
  TempFolder folder;
  std::string path = folder.file("Rokuban.ini");
};

TEST_F(EverydayCliTest, ACrawlTakesTheWeekUnlessTheFileOrDaysSaysOtherwise) {
  writeNineDays();
  const struct {
    std::string settings;
    std::vector<std::string> days;
    int lastDay;
  } cases[] = {{"", {}, 14}, {"date=1\r\n", {}, 9}, {"date=2\r\n", {"--days", "0"}, 8}};
  for (const auto& c : cases) {
    const std::string cache = "cache" + std::to_string(c.lastDay);
    writeWholeFile(path, settingsFor(cache) + c.settings);
    std::vector<std::string> crawl = {"--quiet", "crawl", "--now", "2026-12-08 12:00"};
    crawl.insert(crawl.end(), c.days.begin(), c.days.end());
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(0, run(crawl)) << c.settings;
    ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(holdsDay(cache, c.lastDay)) << c.settings;

    EXPECT_FALSE(holdsDay(cache, c.lastDay + 1)) << c.settings;
  }
}

TEST_F(EverydayCliTest, DaysTheCacheLacksAreSaidInOneLine) {
  writeNineDays();
  writeWholeFile(path, settingsFor("cache"));
  ::testing::internal::CaptureStdout();
  ASSERT_EQ(0, run({"--quiet", "crawl", "--days", "1", "--now", "2026-12-08 12:00"}));
  ::testing::internal::GetCapturedStdout();
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  run({"search", "--from", "2026-12-07", "--days", "6", "Day"});
  ::testing::internal::GetCapturedStdout();
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ("rokuban-cli: no programmes in the cache for 2026-12-07, 2026-12-10 to 2026-12-12, skipped\n", err);
}

TEST_F(EverydayCliTest, ConfigRefusesSourcesThatCannotBeReadAndKeysItDoesNotKnow) {
  const struct {
    std::vector<std::string> args;
    int exitCode;
    const char* said;
  } cases[] = {
      {{"config", "set", "xmltvsource", "https://tv.example/guide.xml"}, 2, "it takes a file path or an http:// URL"},
      {{"config", "set", "xmltvsource", "http+unix:///run/tuner.sock"}, 2, "it takes a file path or an http:// URL"},
      {{"config", "set", "xmltvsource", "ftp://tv.example/guide.xml"}, 2, "it takes a file path or an http:// URL"},
      {{"config", "set", "nosuchkey", "1"}, 2, "unknown setting 'nosuchkey'"},
      {{"config", "get", "nosuchkey"}, 2, "unknown setting 'nosuchkey'"},
      {{"config", "set", "xmltvsource", "http://127.0.0.1:40772/api/iptv/xmltv"}, 0, ""},
      {{"config", "set", "xmltvsource", "C:\\tv\\guide.xml"}, 0, ""},
      {{"config", "set", "xmltvsource", "/home/me/tv/guide.xml"}, 0, ""},
  };
  for (const auto& c : cases) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(c.exitCode, run(c.args)) << c.args[2];
    EXPECT_NE(std::string::npos, ::testing::internal::GetCapturedStderr().find(c.said)) << c.args[2];
  }
  // One set by hand is named for what it is, not as a missing file.
  writeWholeFile(path, "[_config]\r\ndirectory=" + folder.file("cache") + "\r\nxmltvsource=https://tv.example/g.xml\r\n");
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(1, run({"crawl", "--now", "2026-12-08 12:00"}));
  ::testing::internal::GetCapturedStdout();
  EXPECT_NE(std::string::npos, ::testing::internal::GetCapturedStderr().find("https://tv.example/g.xml"));
}

TEST_F(EverydayCliTest, ShowOnAMissingDayNamesTheFolderAndWhatFillsIt) {
  writeWholeFile(path, "[_config]\r\ndirectory=tv\r\n");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(1, run({"show", "--date", "2026-12-15"}));
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, err.find("no programmes for 2026-12-15 in the cache " + folder.file("tv"))) << err;
  EXPECT_NE(std::string::npos, err.find("'rokuban-cli crawl'")) << err;
}

}  // namespace
