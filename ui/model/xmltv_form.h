// XmltvForm: the XMLTV dialog's decisions. The dialog edits "xmltvsource"
// and, from the channels of the document, "[xmltvchannels]": which rows
// its check-box list shows, what "OK" writes, and the line under the list.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "xmltv/xmltv_reader.h"

class SettingsStore;

struct XmltvChannelRow {
  std::string id;
  std::string name;  // Shift-JIS, as the list shows it
  bool checked = false;
};

// The chosen ids first, in their order, named from `document`; then the
// document's other channels in its order. Chosen rows are checked, and
// every row is when nothing is chosen (the guide then shows every
// channel). With `document` null (not read yet) the chosen ids are named
// as the cached guide names them (`cachedNames`, id -> name, from
// importedChannelNames), else not at all; once read, a chosen id the
// document lacks is named "（文書にありません）".
std::vector<XmltvChannelRow> xmltvChannelRows(const std::vector<std::string>& chosen,
                                              const std::vector<XmltvChannel>* document,
                                              const std::map<std::string, std::string>& cachedNames = {});

// The checked ids in row order.
std::vector<std::string> checkedXmltvChannels(const std::vector<XmltvChannelRow>& rows);

struct XmltvChoice {
  std::string source;
  bool writesChannels = false;
  std::vector<std::string> channels;  // empty: every channel
};

// What "OK" writes: the source without surrounding blanks; the checked
// ids when there are rows and a source. Every row checked over a choice of
// none keeps that choice (every channel, new ones included). False with
// `problem` (Shift-JIS) when rows are shown and none is checked.
bool xmltvFormChoice(const std::string& sourceText, const std::vector<std::string>& chosen,
                     const std::vector<XmltvChannelRow>& rows, XmltvChoice& choice, std::string& problem);
void storeXmltvChoice(const XmltvChoice& choice, SettingsStore& settings);

// The line under the list after a reading: the failure's message, or
// "12件のチャンネル".
std::string xmltvReadingStatus(int result, const std::string& error);
