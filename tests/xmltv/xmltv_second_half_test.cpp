// A long document read in two halves at once: the handler gets exactly
// what one reader gives, wherever the middle falls, and a fault in the
// second half is named at its own line.
#include <gtest/gtest.h>

#include <string>

#include "bytes/memory_bytes.h"
#include "tests/support/fake_clock.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_progress.h"
#include "xmltv/xmltv_document.h"
#include "xmltv/xmltv_reader.h"
#include "xmltv/xmltv_second_half.h"

namespace {

struct EventLog : XmltvHandler {
  bool onChannel(const XmltvChannel& channel) override {
    text += "c " + channel.id + " " + channel.name + "\n";
    return true;
  }
  bool onProgramme(const XmltvProgramme& p) override {
    text += "p " + p.channel + " " + std::to_string(p.start) + " " + std::to_string(p.stop) + " " + p.title + "|" +
            p.subTitle + "|" + p.desc + "|" + std::to_string(p.categories.size()) + "\n";
    return true;
  }
  std::string text;
};

std::string programme(int i) {
  const int hour = i / 60 % 24, minute = i % 60;
  char start[32];
  std::snprintf(start, sizeof start, "202612%02d%02d%02d", 8 + i / 1440, hour, minute);
  return std::string("<programme start=\"") + start + "00 +0900\" channel=\"ch" + std::to_string(i % 7) +
         "\">\n  <title lang=\"ja\">t" + std::to_string(i) + "</title><desc>d&amp;" + std::to_string(i) +
         "\n line</desc><category>c</category>\n</programme>\n";
}

// Where longDocument puts its `middle`: a little past the half.
constexpr std::size_t kMiddle = XmltvSecondHalf::kMinBytes * 11 / 20;

// A document of more than kMinBytes that holds `middle` at kMiddle.
std::string longDocument(const std::string& middle, const std::string& end = "</tv>\n") {
  std::string document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE tv>\n<tv source=\"x\">\n";
  document += "<channel id=\"ch0\"><display-name>\xE7\xAC\xAC\xE4\xB8\x80</display-name></channel>\n";
  int i = 0;
  while (document.size() < kMiddle) document += programme(i++);
  document += middle;
  while (document.size() < XmltvSecondHalf::kMinBytes * 21 / 20) document += programme(i++);
  return document + end;
}

class XmltvSecondHalfTest : public ::testing::Test {
 protected:
  // (result, events, error) of `document` read whole by one reader or halved.
  std::string read(const std::string& document, bool halved) {
    files.put("doc.xml", document);
    EventLog log;
    RecordingProgress progress;
    const int result = readXmltvDocument(files, "doc.xml", "doc.xml", log, progress, halved);
    return std::to_string(result) + "\n" + log.text + (progress.calls.empty() ? "" : progress.calls.back());
  }

  FakeClock clock;
  MemoryFileSystem files{clock};
};

TEST_F(XmltvSecondHalfTest, TheHalvesJoinWhereTheSecondBeganAndGiveWhatOneReaderGives) {
  const std::string document = longDocument("<channel id=\"late\"><display-name>L</display-name></channel>\n");
  files.put("doc.xml", document);
  XmltvSecondHalf second(files, "doc.xml", 1 << 30);
  ASSERT_GE(second.split(), static_cast<long long>(document.size() / 2));
  EXPECT_EQ(0, document.compare(static_cast<std::size_t>(second.split()), 11, "<programme "));
  StringByteSource input(document);
  XmltvReader reader;
  EventLog log;
  reader.joinAt(second.split());
  EXPECT_FALSE(reader.read(input, log));
  ASSERT_TRUE(reader.joined());
  EXPECT_TRUE(reader.error().empty());
  EXPECT_EQ(1, second.handOver(log));
  EXPECT_EQ(read(document, false), "1\n" + log.text);
  EXPECT_EQ(read(document, false), read(document, true));
}

TEST_F(XmltvSecondHalfTest, AMiddleInsideACommentOrAFaultInTheSecondHalfIsReadAsByOneReader) {
  const std::string comment = "<!-- " + programme(0) + std::string(300000, ' ') + programme(1) + " -->\n";
  const std::string cases[] = {
      longDocument(comment),
      longDocument("<![CDATA[" + programme(2) + "]]>\n"),
      longDocument("<channel>" + programme(3) + "</channel>\n"),
      longDocument("", "</tv>\n<tv></tv>"),
      longDocument("</bad>\n"),
      longDocument("", "\n"),
  };
  for (const std::string& document : cases) {
    if (&document != &cases[0]) {  // the others' middles are in the second half
      files.put("doc.xml", document);
      EXPECT_LT(XmltvSecondHalf(files, "doc.xml", 1 << 30).split(), static_cast<long long>(kMiddle) + 200);
    }
    const std::string whole = read(document, false);
    EXPECT_EQ(whole, read(document, true)) << whole.substr(whole.size() - 80);
  }
}

}  // namespace
