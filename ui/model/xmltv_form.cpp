#include "ui/model/xmltv_form.h"

#include <algorithm>
#include <map>

#include "config/settings_store.h"

namespace {

const char kMissing[] = "\x81\x69\x95\xb6\x8f\x91\x82\xc9\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x6a";  // （文書にありません）
const char kChooseOne[] =
    "\x83\x60\x83\x83\x83\x93\x83\x6c\x83\x8b\x82\xf0\x91\x49\x82\xf1\x82\xc5\x82\xad\x82\xbe\x82\xb3\x82\xa2";  // チャンネルを選んでください
const char kChannelCount[] = "\x8c\x8f\x82\xcc\x83\x60\x83\x83\x83\x93\x83\x6c\x83\x8b";  // 件のチャンネル

bool contains(const std::vector<std::string>& ids, const std::string& id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::vector<XmltvChannelRow> xmltvChannelRows(const std::vector<std::string>& chosen,
                                              const std::vector<XmltvChannel>* document,
                                              const std::map<std::string, std::string>& cachedNames) {
  std::map<std::string, std::string> names = document ? std::map<std::string, std::string>() : cachedNames;
  if (document) {
    for (const XmltvChannel& channel : *document) names.emplace(channel.id, channel.name);
  }
  std::vector<XmltvChannelRow> rows;
  for (const std::string& id : chosen) {
    auto found = names.find(id);
    rows.push_back({id, found != names.end() ? found->second : document ? kMissing : "", true});
  }
  if (!document) return rows;
  for (const XmltvChannel& channel : *document) {
    if (!contains(chosen, channel.id)) rows.push_back({channel.id, channel.name, chosen.empty()});
  }
  return rows;
}

std::vector<std::string> checkedXmltvChannels(const std::vector<XmltvChannelRow>& rows) {
  std::vector<std::string> ids;
  for (const XmltvChannelRow& row : rows) {
    if (row.checked) ids.push_back(row.id);
  }
  return ids;
}

bool xmltvFormChoice(const std::string& sourceText, const std::vector<std::string>& chosen,
                     const std::vector<XmltvChannelRow>& rows, XmltvChoice& choice, std::string& problem) {
  choice = XmltvChoice{};
  choice.source = trimmed(sourceText);
  if (choice.source.empty() || rows.empty()) return true;
  choice.channels = checkedXmltvChannels(rows);
  if (choice.channels.empty()) {
    problem = kChooseOne;
    return false;
  }
  choice.writesChannels = true;
  if (chosen.empty() && choice.channels.size() == rows.size()) choice.channels.clear();
  return true;
}

void storeXmltvChoice(const XmltvChoice& choice, SettingsStore& settings) {
  // An empty source over an absent key adds no line to the file.
  if (choice.source != settings.xmltvSource()) settings.setXmltvSource(choice.source);
  if (choice.writesChannels) settings.setXmltvChannels(choice.channels);
}

std::string xmltvReadingStatus(int result, const std::string& error) {
  if (result < 0) return error;
  return std::to_string(result) + kChannelCount;
}
