// An imported document's sub-titles, episode numbers, marks and channel ids
// carried through the cache into both exports, the XMLTV one valid; a pin
// still wins, and a table written again leaves the extras unused.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "listing/channel_ids.h"
#include "listing/json_writer.h"
#include "listing/listing.h"
#include "listing/programme_flags.h"
#include "listing/xmltv_file.h"
#include "listing/xmltv_writer.h"
#include "os/text.h"
#include "programme/programme_table.h"
#include "tests/support/imported_day.h"

namespace {

std::string sj(const char* utf8) { return os::utf8ToCp932(utf8); }

const char kDocument[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<tv>
  <channel id="nhk-g.tuner.example"><display-name>NHK総合</display-name></channel>
  <channel id="bad id&amp;x"><display-name>BS朝日</display-name></channel>
  <channel id="3273601032"><display-name>Eテレ</display-name></channel>
  <programme start="20261207200000 +0900" stop="20261207205000 +0900" channel="nhk-g.tuner.example">
    <title lang="ja">大河ドラマ</title>
    <sub-title lang="en">Episode One</sub-title>
    <sub-title lang="ja">第一話 「旅立ち」</sub-title>
    <desc lang="ja">あらすじ</desc>
    <episode-num system="xmltv_ns">0.0.</episode-num>
    <episode-num>#1</episode-num>
    <new/>
    <subtitles type="onscreen"/>
  </programme>
  <programme start="20261207205000 +0900" stop="20261207210000 +0900" channel="nhk-g.tuner.example">
    <title>ニュース</title>
    <previously-shown start="20261206120000 +0900"/>
  </programme>
  <programme start="20261207200000 +0900" stop="20261207210000 +0900" channel="bad id&amp;x">
    <title>映画</title>
  </programme>
  <programme start="20261207200000 +0900" stop="20261207210000 +0900" channel="3273601032">
    <title>語学</title>
  </programme>
</tv>
)";

class ImportedExtras : public ImportedDayTest {
 protected:
  void SetUp() override { import(kDocument); }
  Listing listing() { return collectListing(cache, ListingRange{dateFromDayNumber(day), 1, {}}); }
};

TEST_F(ImportedExtras, BothExportsCarryTheDocumentsFieldsAndIds) {
  // The validator wants dotted ids; a tuner's plain number is pinned to one.
  settings.section("xmltvid")[sj("Eテレ")] = "etv.tokyo.jp";
  const Listing exported = listing();
  ASSERT_EQ(3u, exported.channels.size());
  EXPECT_EQ("nhk-g.tuner.example", exported.channels[0].id);
  // An id no output could carry unescaped gives way to the derived one.
  EXPECT_EQ(derivedChannelId(sj("BS朝日"), settings.area()), exported.channels[1].id);
  ASSERT_EQ(4u, exported.programmes.size());
  const ProgrammeRecord& drama = exported.programmes[0];
  EXPECT_EQ("nhk-g.tuner.example", drama.channelId);
  EXPECT_EQ(sj("第一話 「旅立ち」"), drama.extra().subTitle);
  ASSERT_EQ(2u, drama.extra().episodes.size());
  EXPECT_EQ("xmltv_ns", drama.extra().episodes[0].system);
  EXPECT_EQ("0.0.", drama.extra().episodes[0].value);
  EXPECT_EQ("", drama.extra().episodes[1].system);
  EXPECT_EQ(kFlagNew | kFlagSubtitles, drama.flags & (kFlagNew | kFlagSubtitles | kFlagRepeat));
  EXPECT_EQ(kFlagRepeat, exported.programmes[1].flags & (kFlagNew | kFlagSubtitles | kFlagRepeat));
  EXPECT_TRUE(exported.programmes[2].extra().subTitle.empty() && exported.programmes[2].extra().episodes.empty());

  const std::string xml = xmltvDocument(exported);
  for (const char* expected :
       {"<channel id=\"nhk-g.tuner.example\">", "<title lang=\"ja\">大河ドラマ</title>\n    <sub-title lang=\"ja\">第一話 「旅立ち」</sub-title>",
        "<episode-num system=\"xmltv_ns\">0.0.</episode-num>\n    <episode-num>#1</episode-num>\n    <new/>\n    "
        "<subtitles type=\"teletext\"/>",
        "<previously-shown/>"}) {
    EXPECT_NE(std::string::npos, xml.find(expected)) << expected;
  }
  const std::string json = programmesJson(exported);
  EXPECT_NE(std::string::npos, json.find("\"subTitle\": \"第一話 「旅立ち」\""));
  EXPECT_NE(std::string::npos,
            json.find("\"episodeNum\": [{\"system\": \"xmltv_ns\", \"value\": \"0.0.\"}, {\"system\": \"\", \"value\": \"#1\"}]"));
  ASSERT_TRUE(writeFileAtomically(folder.file("out.xml"), xml));
  ASSERT_TRUE(writeFileAtomically(folder.file("out.json"), json));
  EXPECT_EQ(0, std::system(("XMLTV_SUPPLEMENT=/usr/share/xmltv tv_validate_file '" + folder.file("out.xml") +
                            "' >/dev/null").c_str()));
  EXPECT_EQ(0, std::system(("python3 -m json.tool '" + folder.file("out.json") + "' >/dev/null").c_str()));
}

TEST_F(ImportedExtras, APinWinsAndATableWrittenAgainDropsItsSlotsExtras) {
  settings.section("xmltvid")[sj("NHK総合")] = "nhk.tokyo.jp";
  const Listing pinned = listing();
  ASSERT_EQ(3u, pinned.channels.size());
  EXPECT_EQ("nhk.tokyo.jp", pinned.channels[0].id);
  EXPECT_EQ("3273601032", pinned.channels[2].id);

  // As a refresh would: the 17:00 slot's table replaced by one that differs.
  const int key = slotKey(dateFromDayNumber(day), 17);
  ProgrammeTable table;
  ASSERT_TRUE(cache.loadTableFile(key, table));
  ProgrammeCell* header = table.cellAt(2, 0);
  ASSERT_NE(nullptr, header);
  header->body += "2";
  ASSERT_NE(GuideCache::Replacement::Failed, cache.replaceTableFile(key, table, progress));
  const Listing after = listing();
  ASSERT_FALSE(after.programmes.empty());
  EXPECT_TRUE(after.programmes[0].extra().subTitle.empty());
  EXPECT_EQ(0u, after.programmes[0].flags & kFlagNew);
}

}  // namespace
