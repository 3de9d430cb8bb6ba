// The XMLTV dialog's list and what its "OK" writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/settings_store.h"
#include "ui/model/xmltv_form.h"

namespace {

const char kMissing[] = "\x81\x69\x95\xb6\x8f\x91\x82\xc9\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x6a";  // （文書にありません）

const std::vector<XmltvChannel> kDocument = {
    {"a.example", "\x82\x60"}, {"b.example", "\x82\x61"}, {"c.example", "\x82\x62"}};  // Ａ Ｂ Ｃ

// "*id name" for a checked row, " id name" otherwise.
std::vector<std::string> lines(const std::vector<XmltvChannelRow>& rows) {
  std::vector<std::string> out;
  for (const XmltvChannelRow& row : rows) out.push_back((row.checked ? "*" : " ") + row.id + " " + row.name);
  return out;
}

std::vector<XmltvChannelRow> rowsChecked(const std::vector<bool>& checks) {
  std::vector<XmltvChannelRow> rows = xmltvChannelRows({}, &kDocument);
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i].checked = checks[i];
  return rows;
}

}  // namespace

TEST(XmltvFormTest, RowsPutTheChosenFirstThenTheRestOfTheDocument) {
  struct Case {
    std::vector<std::string> chosen;
    bool read;
    std::vector<std::string> expected;
  } cases[] = {
      {{}, false, {}},
      {{"c.example", "x.example"}, false, {"*c.example ", "*x.example "}},
      {{}, true, {"*a.example \x82\x60", "*b.example \x82\x61", "*c.example \x82\x62"}},
      {{"c.example", "x.example", "a.example"},
       true,
       {"*c.example \x82\x62", std::string("*x.example ") + kMissing, "*a.example \x82\x60", " b.example \x82\x61"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, lines(xmltvChannelRows(c.chosen, c.read ? &kDocument : nullptr)))
        << c.chosen.size() << " " << c.read;
  }  // Before a reading, the chosen ones take the names the cached guide has.
  const std::map<std::string, std::string> cached = {{"c.example", "\x82\x62"}, {"q.example", "Q"}};
  EXPECT_EQ((std::vector<std::string>{"*c.example \x82\x62", "*x.example "}),
            lines(xmltvChannelRows({"c.example", "x.example"}, nullptr, cached)));
  const std::vector<XmltvChannel> none;
  EXPECT_EQ((std::vector<std::string>{"*x.example " + std::string(kMissing)}), lines(xmltvChannelRows({"x.example"}, &none, cached)));
}

TEST(XmltvFormTest, OkWritesTheCheckedIdsInRowOrderOrKeepsEveryChannel) {
  struct Case {
    const char* source;
    std::vector<std::string> chosen;
    std::vector<bool> checks;  // over the document's rows; empty: no rows
    bool accepted, writesChannels;
    std::vector<std::string> channels;
  } cases[] = {
      {"  C:\\guide.xml\t", {}, {true, false, true}, true, true, {"a.example", "c.example"}},
      {"g.xml", {}, {true, true, true}, true, true, {}},                   // every channel, as before
      {"g.xml", {"b.example"}, {true, true, true}, true, true, {"a.example", "b.example", "c.example"}},
      {"g.xml", {}, {false, false, false}, false, false, {}},
      {"g.xml", {}, {}, true, false, {}},  // nothing read, nothing chosen: the section stays
      {" ", {}, {false, false, false}, true, false, {}},  // back to the guide service; channels kept
  };
  for (const Case& c : cases) {
    const std::vector<XmltvChannelRow> rows = c.checks.empty() ? std::vector<XmltvChannelRow>{} : rowsChecked(c.checks);
    XmltvChoice choice;
    std::string problem;
    EXPECT_EQ(c.accepted, xmltvFormChoice(c.source, c.chosen, rows, choice, problem)) << c.source;
    EXPECT_EQ(c.accepted, problem.empty()) << c.source;
    if (!c.accepted) continue;
    EXPECT_EQ(c.writesChannels, choice.writesChannels) << c.source;
    EXPECT_EQ(c.channels, choice.channels) << c.source;
  }
}

TEST(XmltvFormTest, StoringTouchesOnlyWhatTheChoiceWrites) {
  SettingsStore store;
  XmltvChoice back;  // an empty source over no key adds no key
  storeXmltvChoice(back, store);
  EXPECT_FALSE(store.hasSection("_config"));
  EXPECT_FALSE(store.hasSection("xmltvchannels"));

  XmltvChoice choice;
  choice.source = "http://127.0.0.1:8080/guide.xml";
  choice.writesChannels = true;
  choice.channels = {"c.example", "a.example"};
  storeXmltvChoice(choice, store);
  EXPECT_EQ(choice.source, store.xmltvSource());
  EXPECT_EQ(choice.channels, store.xmltvChannels());

  storeXmltvChoice(back, store);
  EXPECT_EQ("", store.xmltvSource());
  EXPECT_EQ(choice.channels, store.xmltvChannels());
}

TEST(XmltvFormTest, ReadingStatusCountsOrGivesTheFailure) {
  EXPECT_EQ("12\x8c\x8f\x82\xcc\x83\x60\x83\x83\x83\x93\x83\x6c\x83\x8b", xmltvReadingStatus(12, ""));
  EXPECT_EQ("bad", xmltvReadingStatus(-1, "bad"));
}
