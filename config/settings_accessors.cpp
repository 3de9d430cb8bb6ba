// The typed settings, all in "_config", as the settings table gives them.
#include "config/settings_store.h"

#include "config/setting_table.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {
const char kConfig[] = "_config";
}

bool isValidDownloadTime(int hhmm) {
  return hhmm >= 0 && hhmm / 100 < 24 && hhmm % 100 < 60;
}

// Each accessor takes its key and default from its row of the settings table.
#define ROKUBAN_FLAG(getter, setter, id)                                                \
  bool SettingsStore::getter() const { return readInt(settingOf(SettingId::id)) != 0; } \
  void SettingsStore::setter(bool on) { setInt(kConfig, settingOf(SettingId::id).key, on ? 1 : 0); }
#define ROKUBAN_INT_GETTER(getter, id) \
  int SettingsStore::getter() const { return readInt(settingOf(SettingId::id)); }
#define ROKUBAN_INT(getter, setter, id) \
  ROKUBAN_INT_GETTER(getter, id)        \
  void SettingsStore::setter(int value) { setInt(kConfig, settingOf(SettingId::id).key, value); }
#define ROKUBAN_TEXT_GETTER(getter, id) \
  std::string SettingsStore::getter() const { return readText(settingOf(SettingId::id)); }
#define ROKUBAN_TEXT(getter, setter, id) \
  ROKUBAN_TEXT_GETTER(getter, id)        \
  void SettingsStore::setter(const std::string& value) { setString(kConfig, settingOf(SettingId::id).key, value); }

ROKUBAN_FLAG(bootDownload, setBootDownload, bootDownload)
ROKUBAN_INT(downloadTime, setDownloadTime, downloadTime)
ROKUBAN_FLAG(autoDelete, setAutoDelete, autoDelete)
ROKUBAN_FLAG(autoClose, setAutoClose, autoClose)
ROKUBAN_FLAG(deleteHtml, setDeleteHtml, deleteHtml)
ROKUBAN_INT(days, setDays, days)

int SettingsStore::unattendedDays() const {
  const int week = 6;  // today and six days ahead, what the cache keeps
  const StringMap* config = findSection(kConfig);
  return config && config->count(settingOf(SettingId::days).key) ? days() : week;
}
ROKUBAN_TEXT(area, setArea, area)
ROKUBAN_TEXT(tvGuideUser, setTvGuideUser, tvGuideUser)
ROKUBAN_TEXT(tvGuidePass, setTvGuidePass, tvGuidePass)
ROKUBAN_TEXT(cookie, setCookie, cookie)
ROKUBAN_TEXT_GETTER(server, server)
ROKUBAN_INT_GETTER(port, port)
ROKUBAN_TEXT(proxyServer, setProxyServer, proxyServer)
ROKUBAN_INT(proxyPort, setProxyPort, proxyPort)
ROKUBAN_TEXT(proxyUser, setProxyUser, proxyUser)
ROKUBAN_TEXT(proxyPass, setProxyPass, proxyPass)
ROKUBAN_TEXT(syncServer, setSyncServer, syncServer)
ROKUBAN_INT(syncPort, setSyncPort, syncPort)
ROKUBAN_TEXT_GETTER(directory, directory)
ROKUBAN_INT(executed, setExecuted, executed)
ROKUBAN_TEXT(xmltvFile, setXmltvFile, xmltvFile)
ROKUBAN_TEXT(xmltvSource, setXmltvSource, xmltvSource)
ROKUBAN_INT(refreshHours, setRefreshHours, refreshHours)
ROKUBAN_TEXT(tunerServer, setTunerServer, tunerServer)
ROKUBAN_TEXT(recorder, setRecorder, recorder)

int SettingsStore::readInt(const Setting& row) const { return getInt(kConfig, row.key, row.number); }

std::string SettingsStore::readText(const Setting& row) const { return getString(kConfig, row.key, row.text); }

std::string SettingsStore::effectiveValue(const Setting& row) const {
  if (row.isText()) return readText(row);
  const int value = readInt(row);
  return std::to_string(row.kind == SettingKind::Switch ? value != 0 : value);
}

std::vector<std::string> SettingsStore::xmltvChannels() const {
  std::vector<std::pair<int, std::string>> ordered;
  auto found = sections_.find("xmltvchannels");
  if (found != sections_.end()) {
    for (const auto& entry : found->second) {
      if (!entry.second.empty()) ordered.emplace_back(std::atoi(entry.first.c_str()), entry.second);
    }
  }
  // Keys sort as bytes in the file ("10" before "2"): order by their number.
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> ids;
  for (auto& entry : ordered) ids.push_back(std::move(entry.second));
  return ids;
}

bool SettingsStore::setXmltvChannels(const std::vector<std::string>& ids) {
  for (const std::string& id : ids) {
    if (id.empty() || breaksSettingsLine(id)) return false;
  }
  // No section is the same as an empty one: a file without it stays so.
  if (ids.empty() && !hasSection("xmltvchannels")) return true;
  StringMap& channels = section("xmltvchannels");
  channels.clear();
  for (std::size_t i = 0; i < ids.size(); ++i) channels[std::to_string(i + 1)] = ids[i];
  return true;
}
