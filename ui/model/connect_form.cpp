// What the connect dialog reads from and stores into the settings.
#include "ui/model/connect_form.h"

#include <iterator>

#include "config/settings_store.h"
#include "ui/model/command_labels.h"
#include "xmltv/xmltv_source.h"

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
  form.noGuideSource = !guideSourceIsSet(settings);
  return form;
}

const char kNoGuideSourceStatus[] = "\x8e\xe6\x93\xbe\x8c\xb3\x82\xc8\x82\xb5";  // "取得元なし"

std::string noGuideSourceHint() {
  // 番組表の取得元が設定されていません。OKで閉じてから、一覧の右クリックメニューの「XMLTVの設定...」で、
  // チューナーサーバーのXMLTVのURLかXMLTVファイルを設定してください。
  return std::string(
             "\x94\xd4\x91\x67\x95\x5c\x82\xcc\x8e\xe6\x93\xbe\x8c\xb3\x82\xaa\x90\xdd\x92\xe8\x82\xb3\x82\xea"
             "\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\x81\x42OK\x82\xc5\x95\xc2\x82\xb6\x82\xc4\x82\xa9\x82\xe7"
             "\x81\x41\x88\xea\x97\x97\x82\xcc\x89\x45\x83\x4e\x83\x8a\x83\x62\x83\x4e\x83\x81\x83\x6a\x83\x85"
             "\x81\x5b\x82\xcc\x81\x75") +
         kXmltvSettingsLabel +
         "\x81\x76\x82\xc5\x81\x41\x83\x60\x83\x85\x81\x5b\x83\x69\x81\x5b\x83\x54\x81\x5b\x83\x6f\x81\x5b"
         "\x82\xccXMLTV\x82\xccURL\x82\xa9XMLTV\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x90\xdd\x92\xe8\x82\xb5"
         "\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42";
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
