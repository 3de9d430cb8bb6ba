// A typed channel name finds its channel whichever of code page 932's two
// forms of an extension character each side holds, and in any width or case.
#include "cli/channel_choice.h"

#include <gtest/gtest.h>

#include "os/text.h"

TEST(ChannelChoiceTest, ExtensionCharactersMatchInEitherForm) {
  // 髙﨑放送 as the guide's pages carry it (NEC-selected rows), and a neighbour.
  const std::vector<std::string> names = {"\xEE\xE0\xED\x95" + os::utf8ToCp932("放送"), os::utf8ToCp932("東都テレビ")};
  EXPECT_EQ(0, chooseChannelName(names, os::utf8ToCp932("髙﨑放送")));
  EXPECT_EQ(0, chooseChannelName(names, os::utf8ToCp932("髙")));
  EXPECT_EQ(1, chooseChannelName(names, os::utf8ToCp932("テレビ")));
  EXPECT_EQ(0, chooseChannelName({os::utf8ToCp932("ＴＯＫＹＯ　ＭＸ")}, "tokyo mx"));
}
