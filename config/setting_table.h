// The settings table: every key of "_config" with its kind, default, whether
// it is a secret and what it does. The typed accessors, the `config` verb
// and the README's settings reference all come from this one table.
#pragma once

#include <string>

// What a setting holds and accepts; Text, Area, XmltvSource and Url are
// texts, the rest integers (Switch read as true when not 0). A Url's
// password is a secret.
enum class SettingKind { Text, Number, Switch, Days, Port, Area, ClockTime, XmltvSource, Url };

// The rows in table order, which is the order `config` prints them in.
enum class SettingId {
  bootDownload, downloadTime, autoDelete, autoClose, deleteHtml, days, area,
  tvGuideUser, tvGuidePass, cookie, server, port, proxyServer, proxyPort,
  proxyUser, proxyPass, syncServer, syncPort, directory, executed,
  xmltvFile, xmltvSource, refreshHours, tunerServer, recorder, count
};

struct Setting {
  SettingId id;
  const char* key;
  SettingKind kind;
  int number;        // the default of an integer kind
  const char* text;  // the default of a text kind; null for empty
  bool secret;       // `config` hides it unless asked
  const char* description;

  bool isText() const {
    return kind == SettingKind::Text || kind == SettingKind::Area || kind == SettingKind::XmltvSource ||
           kind == SettingKind::Url;
  }
  // The default as the file would hold it ("" for an empty text).
  std::string defaultText() const;
};

// The port a sync server listens on and a sync client asks by default.
constexpr int kDefaultSyncPort = 23850;

const Setting& settingOf(SettingId id);
// The row of `key`; null for a key not in the table.
const Setting* findSetting(const std::string& key);
// The rows, settingCount() of them, in table order.
const Setting* settingRows();
int settingCount();

// The README's settings reference: a Markdown table, one row per key.
std::string settingsReference();
