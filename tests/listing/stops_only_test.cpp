// Listings that take only the stops from the imports' side files: the same
// programmes and stops as a whole listing, the same refusal of a pinned id,
// and no stop from a slot whose table was written again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "listing/listing.h"
#include "listing/xmltv_file.h"
#include "os/text.h"
#include "programme/programme_table.h"
#include "tests/support/imported_day.h"

namespace {

std::string sj(const char* utf8) { return os::utf8ToCp932(utf8); }

// The film runs past the imported day's end: only its side file knows 06:00.
const char kDocument[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<tv>
  <channel id="nhk-g.tuner.example"><display-name>NHK総合</display-name></channel>
  <programme start="20261207200000 +0900" stop="20261207210000 +0900" channel="nhk-g.tuner.example">
    <title>大河ドラマ</title><sub-title>第一話</sub-title><new/>
  </programme>
  <programme start="20261208040000 +0900" stop="20261208060000 +0900" channel="nhk-g.tuner.example">
    <title>深夜映画</title>
  </programme>
</tv>
)";

class StopsOnly : public ImportedDayTest {
 protected:
  void SetUp() override { import(kDocument); }
  // Each programme's channel, times and title, as search lines show them.
  std::vector<std::string> lines(bool stopsOnly) {
    ListingRange range{dateFromDayNumber(day), 1, {}};
    range.stopsOnly = stopsOnly;
    listing = collectListing(cache, range);
    std::vector<std::string> shown;
    for (const ProgrammeRecord& record : listing.programmes)
      shown.push_back(record.channel + std::to_string(record.start) + "-" + std::to_string(record.stop) + record.title);
    return shown;
  }

  Listing listing;
};

TEST_F(StopsOnly, ListsWhatAWholeListingListsAndTrustsNoTableWrittenAgain) {
  const std::vector<std::string> whole = lines(false);
  ASSERT_EQ(2u, whole.size());
  EXPECT_EQ(guideMinute(day + 1, 6 * 60), listing.programmes[1].stop);
  EXPECT_EQ(whole, lines(true));

  // A refused pin names the document's id it falls back on.
  settings.section("xmltvid")[sj("NHK総合")] = "not an id";
  lines(false);
  const std::vector<std::string> refused = listing.refusals;
  ASSERT_EQ(1u, refused.size());
  EXPECT_NE(std::string::npos, refused[0].find("nhk-g.tuner.example"));
  EXPECT_EQ(whole, lines(true));
  EXPECT_EQ(refused, listing.refusals);
  settings.section("xmltvid").clear();

  // As a refresh would: the day's last slot written again, its stops untrusted.
  const int key = slotKey(dateFromDayNumber(day), kSlotHours[5]);
  ProgrammeTable table;
  ASSERT_TRUE(cache.loadTableFile(key, table));
  table.cellAt(1, 0)->body += "2";
  ASSERT_NE(GuideCache::Replacement::Failed, cache.replaceTableFile(key, table, progress));
  const std::vector<std::string> rewritten = lines(false);
  ASSERT_EQ(2u, rewritten.size());
  EXPECT_EQ(guideMinute(day + 1, 5 * 60), listing.programmes[1].stop);
  EXPECT_EQ(rewritten, lines(true));
}

}  // namespace
