// GuidePage::buildTable against the reader: random pages of awkward texts
// must give the very table the page itself reads into.
#include <gtest/gtest.h>

#include <random>

#include "bytes/memory_bytes.h"
#include "programme/guide_page.h"
#include "programme/programme_page_reader.h"
#include "tests/support/table_fixtures.h"

namespace {

// Bytes the page and its EUC-JP trip treat specially: white and controls,
// the escaped ASCII, lone and paired lead bytes, bytes EUC-JP cannot hold,
// a full-width space and bracket, half-width katakana.
const std::vector<std::string> kPieces = {
    " ", "  ", "\t", "\n", "\x01", "&", "&amp;", "<", ">", "\"", "&nbsp;", "a", "12:30", "\x82\xa0",
    "\x82", "\x82 ", "\x82<", "\xfa\x40", "\xed\x40", "\x80", "\xa0", "\xff", "\x81\x40", "\x81\x79", "\xb1",
    "\x87\x40", "[", "]"};

std::string randomText(std::mt19937& random, int maxPieces) {
  std::string text;
  const int pieces = static_cast<int>(random() % static_cast<unsigned>(maxPieces + 1));
  for (int i = 0; i < pieces; ++i) text += kPieces[random() % kPieces.size()];
  return text;
}

GuidePage randomPage(std::mt19937& random) {
  GuidePage page(static_cast<int>(5 + 4 * (random() % 6)));
  const int channels = 1 + static_cast<int>(random() % 4);
  for (int channel = 0; channel < channels; ++channel) {
    std::string name = random() % 8 == 0 ? std::string() : "ch" + randomText(random, 3);
    for (char& c : name) {
      if (c == '"') c = 'q';
    }
    page.addChannel(name);
  }
  const int programmes = static_cast<int>(random() % 12);
  for (int i = 0; i < programmes; ++i) {
    PageProgramme programme;
    programme.channel = static_cast<int>(random() % static_cast<unsigned>(channels));
    programme.start = static_cast<int>(random() % 250);
    programme.length = static_cast<int>(random() % 90);
    programme.title = randomText(random, 4);
    programme.detail = randomText(random, 6);
    const int colours[] = {0xFFFFFF, 0x333333, 0xCCFFCC, 0x1333333};
    programme.colour = colours[random() % 4];
    programme.style = static_cast<StartStyle>(random() % 3);
    programme.clock = "23:45";
    if (random() % 4 == 0) programme.marks = {"[\x90\x56]", "", "[" + randomText(random, 2) + "]"};
    for (std::string& mark : programme.marks) {
      for (char& c : mark) {
        if (c == '"') c = 'q';
      }
    }
    page.addProgramme(programme);
  }
  return page;
}

TEST(GuidePageTable, BuildsWhatTheReaderReadsOfThePage) {
  std::mt19937 random(20261210);
  int compared = 0;
  for (int round = 0; round < 3000; ++round) {
    const GuidePage page = randomPage(random);
    ProgrammeTable read, built;
    StringByteSource source(page.eucJp());
    const bool readable = readPage(source, read);
    ASSERT_EQ(readable, page.buildTable(built)) << "round " << round;
    if (!readable) continue;
    ASSERT_EQ(tableFileBytes(read), tableFileBytes(built)) << "round " << round;
    ++compared;
  }
  EXPECT_GT(compared, 2000);
}

TEST(GuidePageTable, LeavesToTheReaderWhatOnlyItCanTell) {
  GuidePage page(5);
  page.addChannel("a");
  PageProgramme programme;
  programme.registration = true;
  page.addProgramme(programme);
  ProgrammeTable table;
  EXPECT_FALSE(page.buildTable(table));
}

}  // namespace
