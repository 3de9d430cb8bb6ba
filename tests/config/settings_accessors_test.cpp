// Typed settings and the area table as the rest of the program reads them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/settings_store.h"

namespace {

TEST(SettingsAccessorsTest, DefaultsApplyOnlyWhenTheKeyIsAbsent) {
  SettingsStore store;
  EXPECT_FALSE(store.bootDownload());
  EXPECT_EQ(-1, store.downloadTime());
  EXPECT_EQ(2, store.days());
  EXPECT_EQ("tokyo", store.area());
  EXPECT_EQ(80, store.port());
  EXPECT_EQ(23850, store.syncPort());
  EXPECT_EQ("Rokuban", store.directory());
  EXPECT_EQ(kDefaultGuideServer, store.server());
  EXPECT_EQ("", store.xmltvFile());  // nothing is kept unless asked for
  EXPECT_FALSE(store.hasSection("_config"));  // getters never create anything

  StringMap& config = store.section("_config");
  config["bootdownload"] = "2";
  config["autoclose"] = "";
  config["proxyport"] = "";
  config["area"] = "";
  config["port"] = "99999999999";
  config["date"] = "12ab";
  EXPECT_TRUE(store.bootDownload());
  EXPECT_FALSE(store.autoClose());
  EXPECT_EQ(0, store.proxyPort());
  EXPECT_EQ("", store.area());
  EXPECT_EQ(2147483647, store.port());  // clamped, not overflowed
  EXPECT_EQ(12, store.days());
}

TEST(SettingsAccessorsTest, SettersWriteTheirKeysIntoConfig) {
  SettingsStore store;
  store.setAutoDelete(true);
  store.setDownloadTime(-1);
  store.setSyncServer("host");
  store.setExecuted(1);
  const StringMap& config = store.section("_config");
  EXPECT_EQ("1", config.at("autodelete"));
  EXPECT_EQ("-1", config.at("downloadtime"));
  EXPECT_EQ("host", config.at("dokibanserver"));
  EXPECT_EQ("1", config.at("executed"));
}

TEST(SettingsAccessorsTest, DownloadTimeValidity) {
  EXPECT_TRUE(isValidDownloadTime(1230));
  EXPECT_TRUE(isValidDownloadTime(0));
  EXPECT_TRUE(isValidDownloadTime(2359));
  EXPECT_FALSE(isValidDownloadTime(2400));
  EXPECT_FALSE(isValidDownloadTime(1260));
  EXPECT_FALSE(isValidDownloadTime(-1));
}

TEST(SettingsAccessorsTest, XmltvChannelsReplaceTheSectionInTheirOrder) {
  SettingsStore store;
  EXPECT_TRUE(store.setXmltvChannels({}));
  EXPECT_FALSE(store.hasSection("xmltvchannels"));  // no section is already "every channel"

  std::vector<std::string> eleven;
  for (int i = 0; i < 11; ++i) eleven.push_back("ch" + std::to_string(10 - i) + ".example");
  ASSERT_TRUE(store.setXmltvChannels(eleven));
  EXPECT_EQ(eleven, store.xmltvChannels());  // "10" and "11" read after "9"

  ASSERT_TRUE(store.setXmltvChannels({"b.example", "a.example"}));
  EXPECT_EQ(2u, store.section("xmltvchannels").size());  // the old lines are gone
  EXPECT_EQ((std::vector<std::string>{"b.example", "a.example"}), store.xmltvChannels());

  for (const char* bad : {"a\nb", "a\rb", ""}) {
    EXPECT_FALSE(store.setXmltvChannels({"c.example", bad})) << bad;
    EXPECT_EQ((std::vector<std::string>{"b.example", "a.example"}), store.xmltvChannels());
  }
  ASSERT_TRUE(store.setXmltvChannels({}));
  EXPECT_TRUE(store.xmltvChannels().empty());
}

TEST(AreaTableTest, BuiltInRowsFillAnEmptySectionInTableOrder) {
  SettingsStore store;
  const StringMap& table = store.areaTable();
  ASSERT_EQ(56u, table.size());
  auto row = table.begin();
  EXPECT_EQ("_", row->first);
  EXPECT_EQ("\x82\xa0\x82\xc8\x82\xbd\x82\xcc\x94\xd4\x91\x67\x95\x5c", row->second);
  EXPECT_EQ("_9", std::next(row, 8)->first);
  EXPECT_EQ("aichi", std::next(row, 9)->first);
  EXPECT_EQ("yamanasi", table.rbegin()->first);
  EXPECT_EQ("\x93\x8c\x8b\x9e\x93\x73", table.at("tokyo"));
  EXPECT_EQ(49, std::distance(table.begin(), table.find("tokyo")));
}

TEST(AreaTableTest, EditedSectionIsKeptAsItIs) {
  SettingsStore store;
  store.setString("area", "tokyo", "Tokyo");
  EXPECT_EQ(1u, store.areaTable().size());
}

TEST(AreaTableTest, PersonalTablePagesAndTheirRewrite) {
  struct Case {
    const char* area;
    int pages;
    const char* after;
  } cases[] = {
      {"_3", 3, "_3"}, {"_", 1, "_"},     {"_1", 1, "_1"},    {"_12", 1, "_12"},
      {"_0", 1, "_"},  {"_x", 1, "_"},    {"_\x82", 1, "_"}, {"osaka", 0, "osaka"},
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    SettingsStore store;
    store.setArea(c.area);
    EXPECT_EQ(c.pages, store.personalTablePages()) << c.area;
    EXPECT_EQ(c.after, store.area()) << c.area;
    EXPECT_EQ(c.area[0] == '_', store.isPersonalTable()) << c.area;
  }
}

}  // namespace
