// The connect dialog's values: what it shows for stored settings and what it
// stores from a set of control values.
#include "ui/model/connect_form.h"

#include <gtest/gtest.h>

#include "config/settings_store.h"

namespace {

const char kTokyo[] = "\x93\x8c\x8b\x9e\x93\x73";  // "東京都"

TEST(ConnectFormTest, DefaultSettingsShowTwoDaysTokyoAndNoDailyRun) {
  SettingsStore settings;
  ConnectForm form = connectFormFromSettings(settings);
  EXPECT_FALSE(form.autoDelete || form.autoClose || form.deleteHtml || form.bootDownload);
  EXPECT_FALSE(form.dailyTicked);
  EXPECT_EQ(2, form.days);
  std::vector<std::string> labels = areaLabels(settings);
  ASSERT_EQ(56u, labels.size());
  EXPECT_EQ(49, form.areaPosition);
  EXPECT_EQ(kTokyo, labels[49]);
  EXPECT_EQ("\x82\xa0\x82\xc8\x82\xbd\x82\xcc\x94\xd4\x91\x67\x95\x5c", labels[0]);  // "あなたの番組表"
}

// Out of the box nothing can answer a crawl; a document or a real service can.
TEST(ConnectFormTest, OnlyThePlaceholderServiceWithoutADocumentHasNoGuideSource) {
  SettingsStore settings;
  EXPECT_TRUE(connectFormFromSettings(settings).noGuideSource);
  EXPECT_NE(std::string::npos, noGuideSourceHint().find("XMLTV\x82\xcc\x90\xdd\x92\xe8..."));  // XMLTVの設定...
  settings.setProxyServer("127.0.0.1");
  EXPECT_TRUE(connectFormFromSettings(settings).noGuideSource);
  settings.setXmltvSource("guide.xml");
  EXPECT_FALSE(connectFormFromSettings(settings).noGuideSource);
  settings.setXmltvSource("");
  settings.setString("_config", "server", "tv.example");
  EXPECT_FALSE(connectFormFromSettings(settings).noGuideSource);
}

TEST(ConnectFormTest, DownloadTimeTicksOnlyForAValidHourAndMinute) {
  EXPECT_TRUE(splitDownloadTime(0).valid);
  EXPECT_TRUE(splitDownloadTime(2359).valid);
  EXPECT_FALSE(splitDownloadTime(-1).valid);
  EXPECT_FALSE(splitDownloadTime(2400).valid);
  EXPECT_FALSE(splitDownloadTime(1260).valid);
  EXPECT_FALSE(splitDownloadTime(-705).valid);  // unsigned: a huge hour

  SettingsStore settings;
  settings.setDownloadTime(705);
  ConnectForm form = connectFormFromSettings(settings);
  EXPECT_TRUE(form.dailyTicked);
  EXPECT_EQ(7, form.hour);
  EXPECT_EQ(5, form.minute);
}

TEST(ConnectFormTest, AreaMatchingNoRowSelectsNothingAndAHandEditedTableIsKept) {
  SettingsStore settings;
  settings.section("area")["tokyo"] = "Tokyo";
  settings.setArea("osaka");
  ConnectForm form = connectFormFromSettings(settings);
  EXPECT_EQ(-1, form.areaPosition);
  EXPECT_EQ(std::vector<std::string>{"Tokyo"}, areaLabels(settings));
  settings.setDays(9);
  EXPECT_EQ(9, connectFormFromSettings(settings).days);  // the list then selects nothing
}

TEST(ConnectFormTest, StoringWritesEveryControlAndMapsThePositionThroughTheTable) {
  SettingsStore settings;
  ConnectForm form;
  form.autoDelete = form.autoClose = form.deleteHtml = form.bootDownload = true;
  form.dailyTicked = true;
  form.hour = 7;
  form.minute = 5;
  form.days = 4;
  form.areaPosition = 0;
  storeConnectForm(form, settings);
  EXPECT_TRUE(settings.autoDelete() && settings.autoClose() && settings.deleteHtml() &&
              settings.bootDownload());
  EXPECT_EQ(705, settings.downloadTime());
  EXPECT_EQ(4, settings.days());
  EXPECT_EQ("_", settings.area());

  form.dailyTicked = false;
  form.areaPosition = 41;
  form.days = -1;
  form.autoClose = false;
  storeConnectForm(form, settings);
  EXPECT_EQ(-1, settings.downloadTime());
  EXPECT_EQ("osaka", settings.area());
  EXPECT_EQ(-1, settings.days());
  EXPECT_FALSE(settings.autoClose());
}

TEST(ConnectFormTest, NoAreaSelectedKeepsTheStoredAreaEvenWhenItIsNoRow) {
  SettingsStore settings;
  settings.setArea("nowhere");
  ConnectForm form = connectFormFromSettings(settings);
  ASSERT_EQ(-1, form.areaPosition);
  storeConnectForm(form, settings);
  EXPECT_EQ("nowhere", settings.area());
  form.areaPosition = 56;  // one past the last row
  storeConnectForm(form, settings);
  EXPECT_EQ("nowhere", settings.area());
}

TEST(ConnectFormTest, FillThenStoreLeavesTheSettingsAsTheyWere) {
  SettingsStore settings;
  settings.setDownloadTime(2330);
  settings.setDays(6);
  settings.setArea("hokk");
  settings.setAutoClose(true);
  storeConnectForm(connectFormFromSettings(settings), settings);
  EXPECT_EQ(2330, settings.downloadTime());
  EXPECT_EQ(6, settings.days());
  EXPECT_EQ("hokk", settings.area());
  EXPECT_TRUE(settings.autoClose());
  EXPECT_FALSE(settings.bootDownload());
}

}  // namespace
