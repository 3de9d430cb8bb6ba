// The labels that name one command in two places: the main window's
// buttons and the popup menu (Shift-JIS).
#pragma once

constexpr char kSettingsLabel[] = "\x90\xdd\x92\xe8";  // "設定"
constexpr char kCrawlLabel[] = "\x8f\x84\x89\xf1";     // "巡回"
constexpr char kSyncLabel[] = "\x93\xaf\x8a\xfa";      // "同期"
// The menu item of the XMLTV dialog, which the connect dialog's hint names.
constexpr char kXmltvSettingsLabel[] = "XMLTV\x82\xcc\x90\xdd\x92\xe8...";  // "XMLTVの設定..."
