// The command line and the web guide's page under three host time zones
// from one UTC moment: the guide is Japan time, so every zone must print
// the same.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <time.h>

#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "cli/cli.h"
#include "config/settings_store.h"
#include "tests/support/temp_folder.h"
#include "tools/demo_guide/demo_guide_server.h"
#include "webguide/web_pages.h"

namespace {

// 2026-12-09 10:59:30 UTC: 19:59 in Japan, 02:59 in Los Angeles (whose own
// broadcast day would still be the 8th).
constexpr std::int64_t kMoment = 1796813970;

void useZone(const char* zone) {
  ::setenv("TZ", zone, 1);
  ::tzset();
}

std::string runAndCapture(std::vector<std::string> args) {
  ::testing::internal::CaptureStdout();
  const int code = runCli(std::move(args));
  return std::to_string(code) + "\n" + ::testing::internal::GetCapturedStdout();
}

// The web guide's page at /, as guide-server answers it.
std::string guidePage(const std::string& ini) {
  SettingsStore settings;
  settings.load(ini);
  WebRequest request;
  parseWebRequest("GET / HTTP/1.0\r\n\r\n", request);
  return WebPages(settings).day(request).body;
}

TEST(JapanTimeTest, EveryHostZoneSeesTheSameGuideAndTheSameNow) {
  ASSERT_EQ(19, japanDateTimeOf(kMoment).hour);
  GuideClockOverride clock(kMoment);
  TempFolder folder;
  DemoGuideServer server{DemoGuideOptions()};
  ASSERT_TRUE(server.start());
  const std::string ini = folder.file("Rokuban.ini");
  auto cli = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--ini", ini, "--quiet"});
    return runAndCapture(args);
  };
  cli({"config", "set", "server", "127.0.0.1"});
  cli({"config", "set", "port", std::to_string(server.port())});
  cli({"config", "set", "directory", folder.file("cache")});
  useZone("Asia/Tokyo");
  ASSERT_EQ(0u, cli({"crawl"}).find("0\n"));

  std::vector<std::string> outputs;
  for (const char* zone : {"Asia/Tokyo", "UTC", "America/Los_Angeles"}) {
    SCOPED_TRACE(zone);
    useZone(zone);
    std::string seen = cli({"crawl", "--retries", "1", "--retry-wait", "0"});  // nothing left to fetch
    seen += cli({"show"});
    seen += cli({"search", "--ics", "--time", "19:00-20:00"});
    seen += cli({"delete-old"});
    seen += cli({"watch", "check", "--all"});
    seen += guidePage(ini);  // the hour it opens at, the programmes on air, the day tabs
    outputs.push_back(seen);
  }
  ::unsetenv("TZ");
  ::tzset();

  EXPECT_NE(std::string::npos, outputs[0].find("DTSTAMP:20261209T105900Z"));
  EXPECT_NE(std::string::npos, outputs[0].find("12/09 19:"));  // show opens at the 19:00 hour
  EXPECT_NE(std::string::npos, outputs[0].find("<tr id=\"h19\" class=\"nowrow\">"));
  EXPECT_EQ(outputs[0], outputs[1]);
  EXPECT_EQ(outputs[0], outputs[2]);
}

}  // namespace
