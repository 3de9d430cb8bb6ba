// The XMLTV reader: a grabber's document, the declared encodings, the
// stand-in character, bad input with the line named, and a 200 MB stream.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "os/text.h"
#include "tests/xmltv/xmltv_samples.h"
#include "xmltv/xmltv_guide.h"
#include "xmltv/xmltv_reader.h"

namespace {

struct Recorder : XmltvHandler {
  bool onChannel(const XmltvChannel& channel) override {
    channels.push_back(channel);
    return true;
  }
  bool onProgramme(const XmltvProgramme& programme) override {
    programmes.push_back(programme);
    return true;
  }
  std::vector<XmltvChannel> channels;
  std::vector<XmltvProgramme> programmes;
};

class StringInput : public ByteSource {
 public:
  explicit StringInput(std::string bytes) : bytes_(std::move(bytes)) {}
  int nextByte() override {
    return position_ < bytes_.size() ? static_cast<unsigned char>(bytes_[position_++]) : -1;
  }

 private:
  std::string bytes_;
  std::size_t position_ = 0;
};

std::string sj(const char* utf8) { return os::utf8ToCp932(utf8); }

GuideMinute japan(int year, int month, int day, int hour, int minute) {
  return static_cast<GuideMinute>(dayNumber(year, month, day)) * 1440 + hour * 60 + minute;
}

std::string repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

bool readAll(const std::string& document, Recorder& recorder, std::string* error = nullptr) {
  StringInput input(document);
  XmltvReader reader;
  const bool read = reader.read(input, recorder);
  if (error) *error = os::cp932ToUtf8(reader.error());
  return read;
}

TEST(XmltvReader, ReadsAGrabbersDocumentInJapanTime) {
  Recorder got;
  std::string error;
  ASSERT_TRUE(readAll(kGrabberDocument, got, &error)) << error;
  ASSERT_EQ(3u, got.channels.size());
  EXPECT_EQ(sj("第一放送"), got.channels[0].name);  // Japanese preferred over the first
  EXPECT_EQ("Two & Co", got.channels[1].name);
  EXPECT_EQ("empty.example", got.channels[2].id);
  ASSERT_EQ(6u, got.programmes.size());
  const XmltvProgramme& news = got.programmes[0];
  EXPECT_EQ(japan(2026, 12, 8, 5, 0), news.start);  // 20:00 +0000
  EXPECT_EQ(japan(2026, 12, 8, 6, 30), news.stop);
  EXPECT_EQ(sj("夜のニュース"), news.title);
  EXPECT_EQ(sj("きょうの出来事。\n二行目"), news.desc);
  EXPECT_EQ(std::vector<std::string>{"News / Current affairs"}, news.categories);
  EXPECT_FALSE(got.programmes[1].hasStop);
  EXPECT_EQ(sj("Film 「海」"), got.programmes[1].title);
  EXPECT_EQ(japan(2026, 12, 8, 8, 0), got.programmes[3].start);  // 00:00 +0100
  EXPECT_EQ("Match ]] day", got.programmes[3].title);
}

TEST(XmltvReader, DeclaredEncodingsGiveTheSameShiftJis) {
  const std::string title = sj("ニュース東京");
  const std::string eucJp = "\xa5\xcb\xa5\xe5\xa1\xbc\xa5\xb9\xc5\xec\xb5\xfe";
  const struct {
    const char* encoding;
    std::string titleBytes;
  } cases[] = {{"UTF-8", "ニュース東京"}, {"EUC-JP", eucJp}, {"Shift_JIS", title}};
  for (const auto& c : cases) {
    Recorder got;
    ASSERT_TRUE(readAll(std::string("<?xml version=\"1.0\" encoding=\"") + c.encoding +
                            "\"?>\n<tv><programme start=\"20261207190000 +0900\" channel=\"a\"><title>" +
                            c.titleBytes + "</title></programme></tv>",
                        got))
        << c.encoding;
    ASSERT_EQ(1u, got.programmes.size());
    EXPECT_EQ(title, got.programmes[0].title) << c.encoding;
  }
}

// A document of one programme whose title is `text`, in `encoding`.
std::string titleDocument(const char* encoding, const std::string& text) {
  return std::string("<?xml version=\"1.0\" encoding=\"") + encoding +
         "\"?><tv><programme start=\"20261207190000\" channel=\"a\"><title>" + text + "</title></programme></tv>";
}

TEST(XmltvReader, CharactersTheGuideCannotHoldBecomeAFullWidthQuestionMark) {
  const struct {
    const char* encoding;
    std::string text;
  } cases[] = {{"UTF-8", "a\xf0\x9f\x98\x80" "b"}, {"UTF-8", "a&#x1F600;b"}, {"UTF-8", "a\xc9\x90" "b"},
               {"ISO-8859-1", "a\xe9" "b"}};
  for (const auto& c : cases) {
    Recorder got;
    ASSERT_TRUE(readAll(titleDocument(c.encoding, c.text), got));
    EXPECT_EQ(sj("a？b"), got.programmes.at(0).title) << c.text;
  }
}

// A tuner server's titles: the broadcast's enclosed marks become the pages'
// bracket marks, and code page 932's extension characters stay, those of
// the IBM rows as their NEC-selected twins (a page carries rows up to 0xEF).
TEST(XmltvReader, EnclosedMarksBecomeBracketMarksAndExtensionKanjiStay) {
  const struct {
    const char* encoding;
    std::string text;
    std::string shiftJis;
  } cases[] = {
      {"UTF-8", "\xf0\x9f\x88\x91\xf0\x9f\x88\x9f&#x1F21E;&#x1F221;", sj("[字][新][再][終]")},
      {"UTF-8", "&#x1F214;&#x1F213;&#x1F216;&#x1F222;&#x1F210;&#x1F23B;", sj("[二][デ][解][生][手][配]")},
      {"UTF-8", "&#x1F14C;&#x1F131;&#x1F200;", sj("[SD][B][ほか]")},
      {"UTF-8", "&#x1F209;&#x1F23C;", sj("？？")},  // unassigned beside the block
      {"UTF-8", "山﨑 髙 ①㈱Ⅲ", "\x8e\x52\xed\x95 \xee\xe0 \x87\x40\x87\x8a\x87\x56"},
      {"Shift_JIS", "\x8e\x52\xfa\xb1\xfb\xfc\xed\x95\xf0\x40", "\x8e\x52\xed\x95\xee\xe0\xed\x95" + sj("？")},
  };
  for (const auto& c : cases) {
    Recorder got;
    ASSERT_TRUE(readAll(titleDocument(c.encoding, c.text), got));
    EXPECT_EQ(c.shiftJis, got.programmes.at(0).title) << c.text;
    // Read back, they are the characters they were.
    if (c.text.find("山") == 0) {
      EXPECT_EQ(c.text, os::cp932ToUtf8(got.programmes.at(0).title));
    }
  }
}

TEST(XmltvReader, BadInputNamesTheLine) {
  const struct {
    std::string document;
    const char* message;
  } cases[] = {
      {"<tv>\n<programme start=\"20261207190000\" channel=\"a\"><title>cut", "XMLTV 2行目: 文書が途中で終わっています"},
      {"<tv>\n" + repeated("<x>", 40),
       "XMLTV 2行目: 入れ子が深すぎます"},
      {"<tv>\n<channel id=\"a\"><display-name>\xff</display-name></channel></tv>",
       "XMLTV 2行目: 文字コードとして不正なバイトです"},
      {"<tv>\n\n<programme start=\"2026-12-07 19:00\" channel=\"a\">\n</programme></tv>",
       "XMLTV 3行目: 時刻が読めません"},
      {"<!DOCTYPE tv [<!ENTITY a \"&#38;a;&#38;a;\">]>\n<tv>&a;</tv>", "XMLTV 2行目: 文字参照が読めません"},
      {"<tv><channel>\n</tv>", "XMLTV 2行目: 終了タグが開始タグと合いません"},
      {"<html></html>", "XMLTV 1行目: XMLTVの文書ではありません"},
      {"<?xml version=\"1.0\" encoding=\"UTF-16\"?><tv/>", "XMLTV 1行目: 対応していない文字コードです"},
  };
  for (const auto& c : cases) {
    Recorder got;
    std::string error;
    EXPECT_FALSE(readAll(c.document, got, &error)) << c.message;
    EXPECT_EQ(c.message, error);
  }
}

// A document of `size` bytes made up as it is read: the same week of
// programmes over and over, each with a long description.
class GeneratedDocument : public ByteSource {
 public:
  explicit GeneratedDocument(std::size_t size) : left_(size) { chunk_ = "<?xml version=\"1.0\"?>\n<tv>\n"; }
  int nextByte() override {
    if (position_ == chunk_.size()) {
      if (closed_) return -1;
      nextChunk();
    }
    return static_cast<unsigned char>(chunk_[position_++]);
  }

 private:
  void nextChunk() {
    position_ = 0;
    if (left_ < 3000) {
      chunk_ = "</tv>\n";
      closed_ = true;
      return;
    }
    const int slot = count_++ % (7 * 48);  // half hours of the week
    const CalendarDate date = dateFromDayNumber(dayNumber(2026, 12, 7) + slot / 48);
    char start[64];
    std::snprintf(start, sizeof start, "%04d%02d%02d%02d%02d00 +0900", date.year, date.month, date.day,
                  slot % 48 / 2, slot % 2 * 30);
    chunk_ = std::string("<programme start=\"") + start + "\" channel=\"c\"><title>t</title><desc>" +
             std::string(2500, 'x') + "</desc></programme>\n";
    left_ -= chunk_.size();
  }
  std::string chunk_;
  std::size_t position_ = 0, left_;
  int count_ = 0;
  bool closed_ = false;
};

TEST(XmltvReader, TwoHundredMegabytesStreamInBoundedMemory) {
  GeneratedDocument document(200u << 20);
  const int firstDay = dayNumber(2026, 12, 7);
  XmltvGuide guide(firstDay - 1, firstDay + 7);
  XmltvReader reader;
  ASSERT_TRUE(reader.read(document, guide)) << os::cp932ToUtf8(reader.error());
  // One programme per channel and start minute is all that is held.
  EXPECT_EQ(7u * 48, guide.programmeCount());
}

}  // namespace

TEST(XmltvGuide, TheFirstOfAStartStaysThoughThousandsComeBetween) {
  const int day = dayNumber(2026, 12, 8);
  auto programme = [](int minute, const char* title) {
    char start[32];
    std::snprintf(start, sizeof start, "202612080%d%02d00 +0900", 5 + minute / 60, minute % 60);
    return std::string("<programme start=\"") + start + "\" channel=\"c\"><title>" + title + "</title></programme>";
  };
  std::string document = "<tv>" + programme(0, "first");
  for (int i = 0; i < 3000; ++i) document += programme(1 + i % 200, "between");
  StringInput input(document + programme(0, "second") + "</tv>");
  XmltvGuide guide(day, day);
  ASSERT_TRUE(XmltvReader().read(input, guide));
  EXPECT_EQ(201u, guide.programmeCount());
  const std::string page = guide.slotPage(day, 5).shiftJis();
  EXPECT_NE(std::string::npos, page.find("first"));
  EXPECT_EQ(std::string::npos, page.find("second"));
}
