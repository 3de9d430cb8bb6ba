// The labels that name one command in two places: the main window's
// buttons and the popup menu (Shift-JIS).
#pragma once

constexpr char kSettingsLabel[] = "\x90\xdd\x92\xe8";  // "設定"
constexpr char kCrawlLabel[] = "\x8f\x84\x89\xf1";     // "巡回"
constexpr char kSyncLabel[] = "\x93\xaf\x8a\xfa";      // "同期"
