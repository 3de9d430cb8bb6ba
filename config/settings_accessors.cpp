// The typed settings: key, type and default of each, all in "_config".
#include "config/settings_store.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

const char kDefaultGuideServer[] = "tvguide.invalid";

namespace {
const char kConfig[] = "_config";
}

bool isValidDownloadTime(int hhmm) {
  return hhmm >= 0 && hhmm / 100 < 24 && hhmm % 100 < 60;
}

#define ROKUBAN_FLAG(getter, setter, key)                                               \
  bool SettingsStore::getter() const { return getInt(kConfig, key, 0) != 0; }           \
  void SettingsStore::setter(bool on) { setInt(kConfig, key, on ? 1 : 0); }
#define ROKUBAN_INT(getter, setter, key, fallback)                                      \
  int SettingsStore::getter() const { return getInt(kConfig, key, fallback); }          \
  void SettingsStore::setter(int value) { setInt(kConfig, key, value); }
#define ROKUBAN_TEXT(getter, setter, key, fallback)                                     \
  std::string SettingsStore::getter() const { return getString(kConfig, key, fallback); } \
  void SettingsStore::setter(const std::string& value) { setString(kConfig, key, value); }

ROKUBAN_FLAG(bootDownload, setBootDownload, "bootdownload")
ROKUBAN_INT(downloadTime, setDownloadTime, "downloadtime", -1)
ROKUBAN_FLAG(autoDelete, setAutoDelete, "autodelete")
ROKUBAN_FLAG(autoClose, setAutoClose, "autoclose")
ROKUBAN_FLAG(deleteHtml, setDeleteHtml, "deletehtml")
ROKUBAN_INT(days, setDays, "date", 2)
ROKUBAN_TEXT(area, setArea, "area", "tokyo")
ROKUBAN_TEXT(tvGuideUser, setTvGuideUser, "tvguideuser", nullptr)
ROKUBAN_TEXT(tvGuidePass, setTvGuidePass, "tvguidepass", nullptr)
ROKUBAN_TEXT(cookie, setCookie, "cookie", nullptr)
ROKUBAN_TEXT(proxyServer, setProxyServer, "proxyserver", nullptr)
ROKUBAN_INT(proxyPort, setProxyPort, "proxyport", 0)
ROKUBAN_TEXT(proxyUser, setProxyUser, "proxyuser", nullptr)
ROKUBAN_TEXT(proxyPass, setProxyPass, "proxypass", nullptr)
ROKUBAN_TEXT(syncServer, setSyncServer, "dokibanserver", nullptr)
ROKUBAN_INT(syncPort, setSyncPort, "dokibanport", 23850)
ROKUBAN_INT(executed, setExecuted, "executed", 0)
ROKUBAN_TEXT(xmltvFile, setXmltvFile, "xmltvfile", nullptr)
ROKUBAN_TEXT(xmltvSource, setXmltvSource, "xmltvsource", nullptr)
ROKUBAN_INT(refreshHours, setRefreshHours, "refreshhours", 0)

std::string SettingsStore::server() const { return getString(kConfig, "server", kDefaultGuideServer); }
int SettingsStore::port() const { return getInt(kConfig, "port", 80); }
std::string SettingsStore::directory() const { return getString(kConfig, "directory", "Rokuban"); }

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
