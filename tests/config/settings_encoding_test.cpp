// A settings file saved as UTF-8 reads as the Shift-JIS the program keeps.
#include <gtest/gtest.h>

#include "config/settings_encoding.h"
#include "config/settings_store.h"
#include "tests/support/temp_folder.h"

namespace {

const std::string kNewsUtf8 = "\xE3\x83\x8B\xE3\x83\xA5\xE3\x83\xBC\xE3\x82\xB9";  // ニュース
const std::string kNewsCp932 = "\x83\x6A\x83\x85\x81\x5B\x83\x58";

TEST(SettingsEncodingTest, UnicodeFilesAreRecognisedAndShiftJisOnesLeftAlone) {
  struct Case {
    const char* what;
    std::string bytes;
    bool utf8;
  };
  const Case cases[] = {
      {"ASCII", "[_config]\r\narea=tokyo\r\n", false},
      {"empty", "", false},
      {"byte-order mark before ASCII", "\xEF\xBB\xBF[_config]\r\n", true},
      {"katakana in UTF-8", "1=" + kNewsUtf8 + "\r\n", true},
      // E3 81 82 E3 81 84 pairs up as Shift-JIS too: the three-byte sequences decide
      {"あい in UTF-8, also valid Shift-JIS", "1=\xE3\x81\x82\xE3\x81\x84\r\n", true},
      {"katakana in Shift-JIS", "1=" + kNewsCp932 + "\r\n", false},
      {"東京 in Shift-JIS", "tokyo=\x93\x8C\x8B\x9E\r\n", false},
      // C3 B1 is "ñ" in UTF-8 and "ﾃｱ" in Shift-JIS: two-byte sequences alone stay Shift-JIS
      {"half-width katakana that reads as UTF-8", "1=\xC3\xB1\r\n", false},
      {"two-byte UTF-8 that is no Shift-JIS (A0 stands alone)", "1=\xC2\xA0", true},
      {"é then a kana", "1=\xC3\xA9" + kNewsUtf8, true},
      {"UTF-8 cut short", "1=" + kNewsUtf8.substr(0, 4), false},
      {"an encoded surrogate", "1=\xED\xA0\x80", false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.utf8, isUtf8SettingsText(c.bytes)) << c.what;
  bool wasUtf8 = false;
  EXPECT_EQ("1=" + kNewsCp932, settingsTextAsCp932("\xEF\xBB\xBF" "1=" + kNewsUtf8, wasUtf8));
  EXPECT_TRUE(wasUtf8);
}

// The save's merge reads the UTF-8 file again: its entries must count as
// unchanged, not as another program's UTF-8 edits.
TEST(SettingsEncodingTest, AUtf8FileIsReadConvertedAndSavedInShiftJis) {
  TempFolder folder;
  const std::string path = folder.file("Rokuban.ini");
  writeWholeFile(path, "[watch]\n1=" + kNewsUtf8 + "\n");
  SettingsStore store;
  ASSERT_TRUE(store.load(path));
  EXPECT_TRUE(store.wasUtf8());
  EXPECT_EQ(kNewsCp932, store.getString("watch", "1", nullptr));
  store.setString("watch", "2", "x");
  ASSERT_TRUE(store.save());
  EXPECT_EQ("[watch]\r\n1=" + kNewsCp932 + "\r\n2=x\r\n", readWholeFile(path));
  SettingsStore again;
  ASSERT_TRUE(again.load(path));
  EXPECT_FALSE(again.wasUtf8());
}

// What Notepad's "Unicode" writes: a save must neither lose the entries nor
// change the file's encoding under the editor that chose it.
std::string asUtf16(const std::string& ascii, bool little, bool mark) {
  std::string out = mark ? (little ? "\xFF\xFE" : "\xFE\xFF") : "";
  for (char c : ascii) out += little ? std::string(1, c) + '\0' : '\0' + std::string(1, c);
  return out;
}

TEST(SettingsEncodingTest, AUtf16FileIsReadAndSavedInItsOwnForm) {
  // ニュース in UTF-16LE, after "1=".
  const std::string newsLe = "\xCB\x30\xE5\x30\xFC\x30\xB9\x30";
  for (bool little : {true, false}) {
    for (bool mark : {true, false}) {
      SCOPED_TRACE(std::string(little ? "LE" : "BE") + (mark ? " with mark" : " without mark"));
      TempFolder folder;
      const std::string path = folder.file("Rokuban.ini");
      std::string news = newsLe;
      if (!little) {
        for (std::size_t i = 0; i < news.size(); i += 2) std::swap(news[i], news[i + 1]);
      }
      writeWholeFile(path, asUtf16("[_config]\r\nport=8080\r\n[watch]\r\n1=", little, mark) + news +
                               asUtf16("\r\n", little, false));
      SettingsStore store;
      ASSERT_TRUE(store.load(path));
      EXPECT_TRUE(store.fileForm().isUtf16());
      EXPECT_EQ(8080, store.port());
      EXPECT_EQ(kNewsCp932, store.getString("watch", "1", nullptr));
      store.setArea("osaka");
      ASSERT_TRUE(store.save());
      // Marked from now on: the next load need not guess.
      EXPECT_EQ(asUtf16("[_config]\r\narea=osaka\r\nport=8080\r\n[watch]\r\n1=", little, true) + news +
                    asUtf16("\r\n", little, false),
                readWholeFile(path));
    }
  }
}

}  // namespace
