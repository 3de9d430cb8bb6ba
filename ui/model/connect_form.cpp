// What the connect dialog reads from and stores into the settings.
#include "ui/model/connect_form.h"

#include <iterator>

#include "config/settings_store.h"

DownloadTimeParts splitDownloadTime(int hhmm) {
  unsigned value = static_cast<unsigned>(hhmm);
  DownloadTimeParts parts;
  parts.hour = (value / 100) & 0xFFFF;
  parts.minute = (value % 100) & 0xFFFF;
  parts.valid = parts.hour < 24 && parts.minute < 60;
  return parts;
}

namespace {
int positionOfKey(const StringMap& table, const std::string& key) {
  auto row = table.find(key);
  return row == table.end() ? -1 : static_cast<int>(std::distance(table.begin(), row));
}
}  // namespace

ConnectForm connectFormFromSettings(SettingsStore& settings) {
  ConnectForm form;
  form.autoDelete = settings.autoDelete();
  form.autoClose = settings.autoClose();
  form.deleteHtml = settings.deleteHtml();
  form.bootDownload = settings.bootDownload();
  DownloadTimeParts time = splitDownloadTime(settings.downloadTime());
  form.dailyTicked = time.valid;
  form.hour = form.dailyTicked ? static_cast<int>(time.hour) : 0;
  form.minute = form.dailyTicked ? static_cast<int>(time.minute) : 0;
  form.days = settings.days();
  form.areaPosition = positionOfKey(settings.areaTable(), settings.area());
  return form;
}

std::vector<std::string> areaLabels(SettingsStore& settings) {
  std::vector<std::string> labels;
  for (const auto& row : settings.areaTable()) labels.push_back(row.second);
  return labels;
}

void storeConnectForm(const ConnectForm& form, SettingsStore& settings) {
  settings.setDays(form.days);
  StringMap& table = settings.areaTable();
  if (form.areaPosition >= 0 && form.areaPosition < static_cast<int>(table.size()))
    settings.setArea(std::next(table.begin(), form.areaPosition)->first);
  settings.setAutoDelete(form.autoDelete);
  settings.setAutoClose(form.autoClose);
  settings.setDeleteHtml(form.deleteHtml);
  settings.setDownloadTime(form.dailyTicked ? form.hour * 100 + form.minute : -1);
  settings.setBootDownload(form.bootDownload);
}
