// EucJpToShiftJisSource: known characters, katakana, the end of the input,
// and every JIS X 0208 code against the page writer's inverse.
#include "programme/euc_jp_to_shift_jis_source.h"

#include <gtest/gtest.h>

#include "bytes/memory_bytes.h"
#include "programme/shift_jis_to_euc_jp.h"
#include "tests/support/chunked_byte_source.h"

namespace {

std::string converted(const std::string& euc) {
  StringByteSource source(euc);
  EucJpToShiftJisSource converter(source);
  std::string out;
  for (int c; (c = converter.nextByte()) >= 0;) out += static_cast<char>(c);
  return out;
}

TEST(EucJpToShiftJisSourceTest, ConvertsKnownCharacters) {
  EXPECT_EQ("a\x82\xa0" "b", converted("a\xa4\xa2" "b"));          // hiragana a
  EXPECT_EQ("\x8a\xbf", converted("\xb4\xc1"));                    // a kanji, even row
  EXPECT_EQ("\x94\xd4\x91\x67\x95\x5c", converted("\xc8\xd6\xc1\xc8\xc9\xbd"));
  EXPECT_EQ("\xb1<", converted("\x8e\xb1<"));                      // half-width katakana
}

TEST(EucJpToShiftJisSourceTest, ALoneLeadByteAtTheEndIsDroppedAndTheEndRepeats) {
  const std::string input = "x\xa4";
  StringByteSource source(input);
  EucJpToShiftJisSource converter(source);
  EXPECT_EQ('x', converter.nextByte());
  EXPECT_EQ(-1, converter.nextByte());
  EXPECT_EQ(-1, converter.nextByte());
  EXPECT_EQ("", converted(""));
}

TEST(EucJpToShiftJisSourceTest, EveryTwoByteCodeComesBackAsItsShiftJis) {
  std::string all;
  for (int lead = 0x81; lead <= 0xEF; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      all += static_cast<char>(lead);
      all += static_cast<char>(trail);
    }
  }
  std::string euc = shiftJisToEucJp(all);
  ASSERT_EQ(all.size(), euc.size());
  for (char c : euc) ASSERT_GE(static_cast<unsigned char>(c), 0xA1);
  EXPECT_EQ(all, converted(euc));
}

// A pair split between two spans, katakana, a lone lead byte at the end and
// long ASCII runs: the same bytes whatever spans the input comes in and
// however the output is taken.
TEST(EucJpToShiftJisSourceTest, SpansAndSingleBytesGiveTheSameBytes) {
  std::string input;
  for (int i = 0; i < 700; ++i) input += "<td>\xa4\xa2\x8e\xb1" "abcdefghij\xb4\xc1";
  input += "\xc8";
  const std::string expected = converted(input);
  for (int chunk : {0, 1, 2, 3, 7, 4096}) {
    ChunkedByteSource source(input, chunk);
    EucJpToShiftJisSource converter(source);
    std::string out;
    const unsigned char* bytes;
    for (int round = 0;; ++round) {
      if (round % 2) {  // a byte, then a part of a span
        int c = converter.nextByte();
        if (c < 0) break;
        out += static_cast<char>(c);
      } else {
        int count = converter.peekSpan(bytes);
        if (count == 0) break;
        int used = count > 5 ? count - 5 : count;
        out.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(used));
        converter.consume(used);
      }
    }
    EXPECT_EQ(expected, out) << "spans of " << chunk;
    EXPECT_EQ(-1, converter.nextByte());
    EXPECT_EQ(0, converter.peekSpan(bytes));
  }
}

}  // namespace
