// A tuner server's document in the guide: programmes of services it never
// declares (one-seg) are left out and counted; a document that declares no
// channel at all keeps every programme.
#include <gtest/gtest.h>

#include <string>

#include "bytes/memory_bytes.h"
#include "calendar/calendar.h"
#include "os/text.h"
#include "xmltv/xmltv_guide.h"
#include "xmltv/xmltv_reader.h"

namespace {

std::string programme(const char* channel, const char* start) {
  return std::string("<programme start=\"") + start + " +0000\" stop=\"" + start + " +0100\" channel=\"" +
         channel + "\"><title>t</title></programme>\n";
}

TEST(XmltvTuner, ProgrammesOfUndeclaredChannelsAreLeftOutAndCounted) {
  const std::string channels = "<channel id=\"3273601024\"><display-name>NHK</display-name></channel>\n";
  const std::string programmes = programme("3273601024", "20261208000000") +
                                 programme("3273601408", "20261208000000") +  // one-seg, undeclared
                                 programme("3273601408", "20261208010000") +
                                 programme("3273601408", "20261001000000");  // outside the range
  const int day = dayNumber(2026, 12, 8);
  const struct {
    std::string document;
    int channels, kept, undeclared;
  } cases[] = {
      {"<tv>" + channels + programmes + "</tv>", 1, 1, 2},
      {"<tv>" + programmes + "</tv>", 2, 3, 0},
  };
  for (const auto& c : cases) {
    StringByteSource input(c.document);
    XmltvGuide guide(day - 1, day + 1);
    XmltvReader reader;
    ASSERT_TRUE(reader.read(input, guide));
    EXPECT_EQ(static_cast<std::size_t>(c.kept), guide.programmeCount());
    EXPECT_EQ(c.undeclared, guide.undeclaredProgrammeCount());
    EXPECT_EQ(static_cast<std::size_t>(c.channels), guide.slotPage(day, 9).channels().size());
  }
  StringByteSource input(cases[0].document);
  XmltvGuide guide(day - 1, day + 1);
  XmltvReader().read(input, guide);
  EXPECT_EQ("チャンネルの宣言がない番組 2件を省きました", os::cp932ToUtf8(guide.undeclaredProgrammeNote()));
}

TEST(XmltvTuner, ChannelsPastTheLimitAreNamedNotDroppedSilently) {
  std::string document = "<tv>";
  for (int i = 0; i < kXmltvMaxChannels + 3; ++i) {
    document += "<channel id=\"c" + std::to_string(i) + "\"><display-name>n</display-name></channel>\n";
  }
  StringByteSource input(document + "</tv>");
  const int day = dayNumber(2026, 12, 8);
  XmltvGuide guide(day, day);
  ASSERT_TRUE(XmltvReader().read(input, guide));
  EXPECT_EQ("チャンネル数が上限の400を超えたため 3チャンネルを省きました", os::cp932ToUtf8(guide.channelLimitNote()));
}

}  // namespace
