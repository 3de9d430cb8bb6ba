#include "config/setting_table.h"

#include "config/settings_store.h"

const char kDefaultGuideServer[] = "tvguide.invalid";

namespace {

using K = SettingKind;
using I = SettingId;

constexpr Setting kTable[] = {
    {I::bootDownload, "bootdownload", K::Switch, 0, nullptr, false,
     "crawl right after the Windows program starts"},
    {I::downloadTime, "downloadtime", K::ClockTime, -1, nullptr, false,
     "the daily crawl's time, hour * 100 + minute; -1 or any other invalid time: none"},
    {I::autoDelete, "autodelete", K::Switch, 0, nullptr, false, "delete the old days' cached pages before a crawl"},
    {I::autoClose, "autoclose", K::Switch, 0, nullptr, false,
     "close the connect dialog when a crawl or sync has finished"},
    {I::deleteHtml, "deletehtml", K::Switch, 0, nullptr, false,
     "delete each downloaded page once it has been read into its table"},
    {I::days, "date", K::Days, 2, nullptr, false, "the days to crawl after today, as last chosen in the connect dialog; `rokuban-cli crawl` takes 6 (the week) while the file does not hold it"},
    {I::area, "area", K::Area, 0, "tokyo", false,
     "the programme table: a key of the area table (`rokuban-cli areas`)"},
    {I::tvGuideUser, "tvguideuser", K::Text, 0, nullptr, false, "the guide service's user id"},
    {I::tvGuidePass, "tvguidepass", K::Text, 0, nullptr, true, "the guide service's password"},
    {I::cookie, "cookie", K::Text, 0, nullptr, true,
     "the guide service's session, kept by the sign-in; empty: the next crawl signs in first"},
    {I::server, "server", K::Text, 0, kDefaultGuideServer, false,
     "host of the guide service; the default is a placeholder (see \"Your own guide\")"},
    {I::port, "port", K::Port, 80, nullptr, false, "port of the guide service"},
    {I::proxyServer, "proxyserver", K::Text, 0, nullptr, false, "the HTTP proxy's host; empty: no proxy"},
    {I::proxyPort, "proxyport", K::Port, 0, nullptr, false, "the HTTP proxy's port"},
    {I::proxyUser, "proxyuser", K::Text, 0, nullptr, false, "user name for the proxy's Basic authentication"},
    {I::proxyPass, "proxypass", K::Text, 0, nullptr, true, "password for the proxy's Basic authentication"},
    {I::syncServer, "dokibanserver", K::Text, 0, nullptr, false,
     "host of the sync server to take the guide from (`sync`); empty: none"},
    {I::syncPort, "dokibanport", K::Port, kDefaultSyncPort, nullptr, false, "port of that sync server"},
    {I::directory, "directory", K::Text, 0, "Rokuban", false,
     "the cache folder; a relative one lies in the settings file's folder"},
    {I::executed, "executed", K::Number, 0, nullptr, false,
     "0 until the first start's connect dialog has been confirmed"},
    {I::xmltvFile, "xmltvfile", K::Text, 0, nullptr, false,
     "an XMLTV file the Windows program keeps current; empty: none"},
    {I::xmltvSource, "xmltvsource", K::XmltvSource, 0, nullptr, false,
     "an XMLTV file or http:// URL to take the guide from; empty: the guide service"},
    {I::refreshHours, "refreshhours", K::Number, 0, nullptr, false,
     "hours after which a crawl fetches today's and tomorrow's slots again; 0: never"},
    {I::tunerServer, "tunerserver", K::Url, 0, nullptr, false,
     "a tuner server's http:// base URL to take the guide from by its JSON API; empty: none"},
    {I::recorder, "recorder", K::Url, 0, nullptr, false,
     "the recorder's http:// base URL that reservations go to; empty: the companion tool"},
};

constexpr int kCount = static_cast<int>(sizeof kTable / sizeof kTable[0]);

// settingOf indexes the table by id: each row must stand at its id's place.
constexpr bool rowsInIdOrder() {
  for (int i = 0; i < kCount; ++i) {
    if (static_cast<int>(kTable[i].id) != i) return false;
  }
  return kCount == static_cast<int>(SettingId::count);
}
static_assert(rowsInIdOrder(), "the settings table's rows must follow SettingId");

const char* kindName(const Setting& row) {
  switch (row.kind) {
    case K::Switch: return "0 or 1";
    case K::ClockTime: return "time of day (HHMM)";
    case K::Days: return "days, 0-6";
    case K::Port: return "port";
    case K::Area: return "area key";
    case K::Number: return "number";
    case K::XmltvSource: return "file or http:// URL";
    case K::Url: return "URL, its password secret";
    default: return row.secret ? "text, secret" : "text";
  }
}

}  // namespace

std::string Setting::defaultText() const {
  if (isText()) return text ? text : "";
  return std::to_string(number);
}

const Setting& settingOf(SettingId id) { return kTable[static_cast<int>(id)]; }

const Setting* findSetting(const std::string& key) {
  for (const Setting& row : kTable) {
    if (key == row.key) return &row;
  }
  return nullptr;
}

const Setting* settingRows() { return kTable; }
int settingCount() { return kCount; }

std::string settingsReference() {
  std::string out = "| key | kind | default | what it does |\n|---|---|---|---|\n";
  for (const Setting& row : kTable) {
    const std::string fallback = row.defaultText();
    out += std::string("| `") + row.key + "` | " + kindName(row) + " | " +
           (fallback.empty() ? "empty" : "`" + fallback + "`") + " | " + row.description + " |\n";
  }
  return out;
}
