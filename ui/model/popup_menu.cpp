// The main popup menu's items.
#include "ui/model/popup_menu.h"

#include "programme/genre_table.h"
#include "ui/model/command_labels.h"

namespace {

const char kTomorrow[] = "\x96\xbe\x93\xfa\x82\xcc\x94\xd4\x91\x67";   // "明日の番組"
const char kNow[] = "\x8d\xa1\x82\xcc\x94\xd4\x91\x67";                 // "今の番組"
const char kYesterday[] = "\x8d\xf0\x93\xfa\x82\xcc\x94\xd4\x91\x67";  // "昨日の番組"
const char kView[] = "\x95\x5c\x8e\xa6";                                // "表示"
const char kHours[] = "\x8e\x9e\x8a\xd4";                               // "時間"
const char kStart[] = "\x8b\x4e\x93\xae";                               // "起動"
const char kRemote[] = "\x83\x8a\x83\x82\x83\x52\x83\x93";              // "リモコン"
const char kReservations[] = "\x98\x5e\x89\xe6\x97\x5c\x96\xf1\x88\xea\x97\x97";  // "録画予約一覧"
const char kCancel[] = "\x83\x4c\x83\x83\x83\x93\x83\x5a\x83\x8b";      // "キャンセル"
const char kQuit[] = "\x8f\x49\x97\xb9";                                // "終了"
const char kSearch[] = "\x8c\x9f\x8d\xf5...";                           // "検索..."
const char kWatch[] = "\x83\x45\x83\x48\x83\x62\x83\x60";              // "ウォッチ"
const char kRecorderReservesLabel[] = "\x98\x5e\x89\xe6\x83\x54\x81\x5b\x83\x6f\x81\x5b\x82\xcc\x97\x5c\x96\xf1";  // "録画サーバーの予約"
const char kExplainWatch[] = "\x83\x45\x83\x48\x83\x62\x83\x60\x82\xcc\x90\xe0\x96\xbe...";  // "ウォッチの説明..."

MenuEntry item(int id, const char* text, bool checked = false) {
  MenuEntry entry;
  entry.id = id;
  entry.text = text;
  entry.checked = checked;
  return entry;
}

MenuEntry separator() {
  MenuEntry entry;
  entry.kind = MenuEntry::kSeparator;
  return entry;
}

MenuEntry submenu(const char* text, std::vector<MenuEntry> children) {
  MenuEntry entry;
  entry.kind = MenuEntry::kSubmenu;
  entry.text = text;
  entry.children = std::move(children);
  return entry;
}

MenuEntry viewSubmenu(const ViewState& view) {
  std::vector<MenuEntry> children{item(kCommandHourView, kHours, view.mode == kTimeView),
                                  separator()};
  for (int i = 0; i < kGenreRowCount; ++i) {
    const GenreRow& genre = kGenreTable[i];
    children.push_back(item(kFirstGenreCommand + i, genre.name,
                            view.mode == kGenreView && view.key == genre.colour));
  }
  return submenu(kView, std::move(children));
}

bool isSearchView(const ViewState& view, SearchSource source) {
  return view.mode == kSearchView && view.key == source;
}

}  // namespace

std::vector<MenuEntry> mainPopupMenu(const ViewState& view, bool companionInstalled, bool recorderSet) {
  std::vector<MenuEntry> menu{item(kCommandNextDay, kTomorrow), item(kCommandToday, kNow),
                              item(kCommandPreviousDay, kYesterday),
                              separator(), viewSubmenu(view), separator()};
  if (companionInstalled) {
    menu.push_back(submenu("Denpoz", {item(kCommandCompanionStart, kStart),
                                      item(kCommandCompanionRemote, kRemote),
                                      item(kCommandCompanionReservations, kReservations)}));
    menu.push_back(separator());
  }
  for (MenuEntry entry : {item(kCommandSettings, kSettingsLabel), item(kCommandCrawl, kCrawlLabel),
                          item(kCommandSync, kSyncLabel), separator(), item(kCommandCloseMenu, kCancel),
                          item(kCommandQuit, kQuit), separator(),
                          item(kCommandSearch, kSearch, isSearchView(view, kSearchResults)),
                          item(kCommandWatch, kWatch, isSearchView(view, kWatchMatches)),
                          separator(), item(kCommandXmltvSettings, kXmltvSettingsLabel),
                          item(kCommandExplainWatch, kExplainWatch)})
    menu.push_back(entry);
  if (recorderSet)
    menu.push_back(item(kCommandRecorderReserves, kRecorderReservesLabel, isSearchView(view, kRecorderReserves)));
  return menu;
}

bool genreCommandColour(int id, int& colour) {
  if (id < kFirstGenreCommand || id > kLastGenreCommand) return false;
  const int row = id - kFirstGenreCommand;
  if (row >= kGenreRowCount) return false;
  colour = kGenreTable[row].colour;
  return true;
}
