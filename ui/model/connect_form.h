// ConnectForm: the values behind the connect dialog's controls, and how
// they are read from and stored into the settings. The dialog only moves
// these values in and out of its controls.
#pragma once

#include <string>
#include <vector>

class SettingsStore;

struct ConnectForm {
  bool autoDelete = false;    // 1014
  bool autoClose = false;     // 1017
  bool deleteHtml = false;    // 1018
  bool bootDownload = false;  // 1016
  bool dailyTicked = false;   // 1019
  int hour = 0;               // picker 1021, meaningful when dailyTicked
  int minute = 0;
  // Item data of the chosen day-list item (1..6), -1 when none is chosen.
  int days = -1;
  // Position in the area list (= row of the area table), -1 when none.
  int areaPosition = -1;
  // No crawl can get a guide (guideSourceIsSet): the dialog shows
  // noGuideSourceHint() and 巡回 is not started.
  bool noGuideSource = false;
};

// The day-list items: "1" to "6", each carrying its own number.
constexpr int kDayChoices = 6;

struct DownloadTimeParts {
  unsigned hour, minute;  // 16-bit values
  bool valid;             // hour < 24 and minute < 60
};
// Splits a stored hhmm the way the dialog shows it: unsigned division,
// each part taken as a 16-bit value.
DownloadTimeParts splitDownloadTime(int hhmm);

// What to do when no guide source is set, naming the XMLTV dialog's menu item.
std::string noGuideSourceHint();
// The status line's word when 巡回 was pressed without a guide source.
extern const char kNoGuideSourceStatus[];

// The form as the settings fill it. Fills the area table when it is empty.
ConnectForm connectFormFromSettings(SettingsStore& settings);
// The area list's labels, in table order.
std::vector<std::string> areaLabels(SettingsStore& settings);
// Stores the form into the settings (memory only). An area position that
// names no row of the table keeps the stored area as it is.
void storeConnectForm(const ConnectForm& form, SettingsStore& settings);
