/* Every id of the program, named once: resources, dialog controls, the
   main window's commands and menu items, timers. Shared by the resource
   script, the window code and the portable model. Resource and control ids
   are plain #defines, because the resource compiler reads this file too. */
#pragma once

#define IDI_ROKUBAN 107
#define IDD_CONNECT 132
#define IDD_CONNECTION_SETTINGS 133
#define IDD_SEARCH 134
#define IDD_XMLTV 135
#define IDD_WATCH_EXPLAIN 136

/* Connect dialog 132 */
#define IDC_CRAWL 1001
#define IDC_SYNC 3
#define IDC_DELETE_ALL 1011
#define IDC_DAYS 1008
#define IDC_AREA 1015
#define IDC_CONNECTION_SETTINGS 1020
#define IDC_DAILY 1019
#define IDC_DAILY_TIME 1021
#define IDC_BOOT_DOWNLOAD 1016
#define IDC_AUTO_DELETE 1014
#define IDC_AUTO_CLOSE 1017
#define IDC_DELETE_HTML 1018
#define IDC_STATUS 1010
#define IDC_CURRENT_ITEM 1005
#define IDC_ITEM_COUNT 1006
#define IDC_BYTE_COUNT 1007
#define IDC_ITEM_BAR 1003
#define IDC_BYTE_BAR 1002
#define IDC_VERSION 1004
/* Below the dialog's first layout, shown only when no guide source is set. */
#define IDC_SOURCE_HINT 1022
/* Posted by the worker as its last act: join the thread. */
#define IDC_JOIN_WORKER 6
#define ID_BYTE_TIMER 10

/* Connection settings dialog 133 */
#define IDC_TVGUIDE_USER 1013
#define IDC_TVGUIDE_PASS 1014
#define IDC_PROXY_SERVER 1015
#define IDC_PROXY_PORT 1016
#define IDC_PROXY_USER 1017
#define IDC_PROXY_PASS 1018
#define IDC_SYNC_SERVER 1019
#define IDC_SYNC_PORT 1020

/* Search dialog 134 */
#define IDC_SEARCH_WORDS 1101
#define IDC_SEARCH_CHANNEL 1102
#define IDC_SEARCH_GENRE 1103
#define IDC_SEARCH_PROBLEM 1104

/* XMLTV dialog 135 */
#define IDC_XMLTV_SOURCE 1201
#define IDC_XMLTV_READ 1202
#define IDC_XMLTV_CHANNELS 1203
#define IDC_XMLTV_STATUS 1204

/* Watch explanation dialog 136 */
#define IDC_EXPLAIN_ENTRY 1301
#define IDC_EXPLAIN_TEXT 1302

#ifndef RC_INVOKED
/* The main window's buttons and popup menu items (WM_COMMAND ids). */
enum MainCommand {
  kCommandQuit = 1,
  kCommandCloseMenu = 2,
  kCommandPreviousDay = 1000,
  kCommandToday = 1001,
  kCommandNextDay = 1002,
  kCommandSettings = 1003,
  kCommandCrawl = 1004,
  kCommandSync = 1005,
  /* The "表示" submenu and the companion tool's submenu. */
  kCommandHourView = 1007,
  kCommandCompanionStart = 1008,
  kCommandCompanionRemote = 1009,
  kCommandCompanionReservations = 1010,
  /* After the existing items: the search dialog, the watch list's matches,
     and the check of the watch list (posted at start-up, never a menu item). */
  kCommandSearch = 1012,
  kCommandWatch = 1013,
  kCommandCheckWatch = 1014,
  /* After those: the XMLTV dialog (the guide's source and channels). */
  kCommandXmltvSettings = 1015,
  /* After it: why each watch entry finds what it finds. */
  kCommandExplainWatch = 1016,
  /* After it, with a recorder set: the recorder's reserves. */
  kCommandRecorderReserves = 1017,
  /* One genre item each, in genre table order. */
  kFirstGenreCommand = 2000,
  kLastGenreCommand = 2099,
};

/* The main window's daily schedule timer, and the tray icon's retry timer. */
constexpr int kScheduleTimer = 1006;
constexpr int kTrayRetryTimer = 1011;
#endif
