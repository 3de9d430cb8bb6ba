// The main popup menu: order, ids, texts, check marks, the companion
// submenu, and the genre items' ids.
#include <gtest/gtest.h>

#include <algorithm>

#include "programme/genre_table.h"
#include "ui/model/popup_menu.h"

namespace {

// One line per entry: "id text", "-" for a separator, "[text]" for a
// submenu, "*" in front of a checked item.
std::vector<std::string> lines(const std::vector<MenuEntry>& menu) {
  std::vector<std::string> out;
  for (const MenuEntry& entry : menu) {
    if (entry.kind == MenuEntry::kSeparator) {
      out.push_back("-");
    } else if (entry.kind == MenuEntry::kSubmenu) {
      out.push_back("[" + entry.text + "]");
    } else {
      out.push_back((entry.checked ? "*" : "") + std::to_string(entry.id) + " " + entry.text);
    }
  }
  return out;
}

const MenuEntry& viewSubmenu(const std::vector<MenuEntry>& menu) { return menu[4]; }

ViewState viewIn(ViewMode mode, int key) {
  ViewState view;
  view.mode = mode;
  view.key = key;
  return view;
}

}  // namespace

TEST(PopupMenuTest, WithoutTheCompanionToolTheMenuHasNoDenpozSubmenuNorItsSeparator) {
  EXPECT_EQ((std::vector<std::string>{
                "1002 \x96\xbe\x93\xfa\x82\xcc\x94\xd4\x91\x67",  // 明日の番組
                "1001 \x8d\xa1\x82\xcc\x94\xd4\x91\x67",          // 今の番組
                "1000 \x8d\xf0\x93\xfa\x82\xcc\x94\xd4\x91\x67",  // 昨日の番組
                "-", "[\x95\x5c\x8e\xa6]", "-",                     // 表示
                "1003 \x90\xdd\x92\xe8", "1004 \x8f\x84\x89\xf1", "1005 \x93\xaf\x8a\xfa", "-",
                "2 \x83\x4c\x83\x83\x83\x93\x83\x5a\x83\x8b",  // キャンセル
                "1 \x8f\x49\x97\xb9",                          // 終了
                "-", "1012 \x8c\x9f\x8d\xf5...",                  // 検索...
                "1013 \x83\x45\x83\x48\x83\x62\x83\x60",       // ウォッチ
                "-", "1015 XMLTV\x82\xcc\x90\xdd\x92\xe8...",  // XMLTVの設定...
                "1016 \x83\x45\x83\x48\x83\x62\x83\x60\x82\xcc\x90\xe0\x96\xbe..."}),  // ウォッチの説明...
            lines(mainPopupMenu(viewIn(kTimeView, 21), false)));
}

TEST(PopupMenuTest, WithARecorderItsReservesComeLast) {
  std::vector<std::string> before = lines(mainPopupMenu(viewIn(kTimeView, 21), false));
  std::vector<std::string> after = lines(mainPopupMenu(viewIn(kTimeView, 21), false, true));
  ASSERT_EQ(before.size() + 1, after.size());
  EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin()));  // the items before stay as they are
  EXPECT_EQ("1017 \x98\x5e\x89\xe6\x83\x54\x81\x5b\x83\x6f\x81\x5b\x82\xcc\x97\x5c\x96\xf1", after.back());
  ViewState reserves = viewIn(kSearchView, 0);
  reserves.key = kRecorderReserves;
  EXPECT_TRUE(mainPopupMenu(reserves, false, true).back().checked);
}

TEST(PopupMenuTest, WithTheCompanionToolItsSubmenuAndASeparatorComeBeforeTheJobs) {
  std::vector<MenuEntry> menu = mainPopupMenu(viewIn(kTimeView, 21), true);
  std::vector<std::string> all = lines(menu);
  ASSERT_EQ(20u, all.size());
  EXPECT_EQ("[Denpoz]", all[6]);
  EXPECT_EQ("-", all[7]);
  EXPECT_EQ("1003 \x90\xdd\x92\xe8", all[8]);
  EXPECT_EQ((std::vector<std::string>{
                "1008 \x8b\x4e\x93\xae",                                           // 起動
                "1009 \x83\x8a\x83\x82\x83\x52\x83\x93",                           // リモコン
                "1010 \x98\x5e\x89\xe6\x97\x5c\x96\xf1\x88\xea\x97\x97"}),  // 録画予約一覧
            lines(menu[6].children));
}

TEST(PopupMenuTest, ViewSubmenuChecksTheHoursInTheTimeViewAndTheViewedGenreOnly) {
  std::vector<std::string> time = lines(viewSubmenu(mainPopupMenu(viewIn(kTimeView, 20), false)).children);
  ASSERT_EQ(2u + kGenreRowCount, time.size());
  EXPECT_EQ("*1007 \x8e\x9e\x8a\xd4", time[0]);  // 時間
  EXPECT_EQ("-", time[1]);
  for (int i = 0; i < kGenreRowCount; ++i)
    EXPECT_EQ(std::to_string(2000 + i) + " " + kGenreTable[i].name, time[2 + i]);

  const int cooking = kGenreTable[5].colour;
  std::vector<MenuEntry> genre = viewSubmenu(mainPopupMenu(viewIn(kGenreView, cooking), false)).children;
  EXPECT_FALSE(genre[0].checked);
  for (int i = 0; i < kGenreRowCount; ++i) EXPECT_EQ(i == 5, genre[2 + i].checked) << i;

  // A channel view whose column number happens to equal nothing: no marks.
  std::vector<MenuEntry> channel = viewSubmenu(mainPopupMenu(viewIn(kChannelView, cooking), false)).children;
  for (const MenuEntry& entry : channel) EXPECT_FALSE(entry.checked);
}

TEST(PopupMenuTest, TheSearchViewChecksItsOwnSourceOnly) {
  for (int source : {kSearchResults, kWatchMatches}) {
    std::vector<std::string> all = lines(mainPopupMenu(viewIn(kSearchView, source), false));
    EXPECT_EQ(source == kSearchResults, all[all.size() - 5][0] == '*') << source;
    EXPECT_EQ(source == kWatchMatches, all[all.size() - 4][0] == '*') << source;
  }
}

TEST(PopupMenuTest, GenreItemIdsStandForTheTableRowsAndNothingBeyond) {
  int colour = 0;
  ASSERT_TRUE(genreCommandColour(2000, colour));
  EXPECT_EQ(kGenreTable[0].colour, colour);
  ASSERT_TRUE(genreCommandColour(2000 + kGenreRowCount - 1, colour));
  EXPECT_EQ(kGenreTable[kGenreRowCount - 1].colour, colour);
  EXPECT_FALSE(genreCommandColour(2000 + kGenreRowCount, colour));  // the closing row
  EXPECT_FALSE(genreCommandColour(2099, colour));
  EXPECT_FALSE(genreCommandColour(1999, colour));
  EXPECT_FALSE(genreCommandColour(2100, colour));
}
