// Text conversion at the program's edges: the same bytes for the same
// characters in both builds (this runs natively and under wine), and from
// several threads at once: the sync server lists its folder (and so
// converts file names) on one thread per client.
#include "os/text.h"

#include <gtest/gtest.h>

#include <atomic>
#include <ios>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(TextConversionTest, BothSidesTakeTheSameCharacters) {
  const struct {
    unsigned codePoint;
    std::string cp932;
  } cases[] = {
      {0x9AD9, "\xfb\xfc"}, {0xFA11, "\xfa\xb1"},  // IBM extension kanji: 髙 﨑
      {0x2460, "\x87\x40"}, {0x3231, "\x87\x8a"}, {0x2162, "\x87\x56"},  // NEC row 13: ① ㈱ Ⅲ
      {0x2172, "\xfa\x42"}, {0xFFE2, "\x81\xca"}, {0x2235, "\x81\xe6"},  // ⅲ ￢ ∵
      {0x301C, "\x81\x60"}, {0xFF5E, "\x81\x60"}, {0x2212, "\x81\x7c"}, {0xFF0D, "\x81\x7c"},
      {0x2014, "\x81\x5c"}, {0x00A2, "\x81\x91"},  // JIS marks and the code page's own
      {0x00A5, ""}, {0x203E, ""}, {0x00E9, ""},  // ¥ ‾ é: look-alikes only
      {0x1F211, ""}, {0xD800, ""}, {0x110000, ""}, {'A', "A"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.cp932, os::codePointToCp932(c.codePoint)) << std::hex << c.codePoint;
  }
  EXPECT_EQ("\x8e\x52\xfa\xb1 ???" "a", os::utf8ToCp932("\xe5\xb1\xb1\xef\xa8\x91 \xc3\xa9\xe3\x81" "a"));
  // The NEC-selected row reads as the same character as the IBM one.
  EXPECT_EQ("\xef\xa8\x91\xef\xa8\x91", os::cp932ToUtf8("\xed\x95\xfa\xb1"));
  EXPECT_EQ("\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd" "a", os::cp932ToUtf8("\x80\xa0\xfd" "a"));
}

TEST(TextConversionTest, ThreadsConvertingAtOnceGetTheirOwnResults) {
  const std::string cp932 = "\x94\xd4\x91\x67\x95\x5c 12/07";  // 番組表 12/07
  const std::string utf8 = os::cp932ToUtf8(cp932);
  ASSERT_EQ(cp932, os::utf8ToCp932(utf8));
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 20000; ++i) {
        if (os::cp932ToUtf8(cp932) != utf8 || os::utf8ToCp932(utf8) != cp932) ++wrong;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(0, wrong.load());
}

}  // namespace
