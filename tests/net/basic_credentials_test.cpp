// Base64 and the Basic credentials sent to a proxy.
#include "net/basic_credentials.h"

#include <gtest/gtest.h>

TEST(Base64EncodeTest, PadsEachLeftover) {
  EXPECT_EQ(base64Encode(""), "");
  EXPECT_EQ(base64Encode("a"), "YQ==");
  EXPECT_EQ(base64Encode("ab"), "YWI=");
  EXPECT_EQ(base64Encode("abc"), "YWJj");
  EXPECT_EQ(base64Encode("foobar"), "Zm9vYmFy");
}

TEST(Base64EncodeTest, UsesBothHighAlphabetLettersAndHighBytes) {
  EXPECT_EQ(base64Encode("\xfb\xff\xbf"), "+/+/");
  EXPECT_EQ(base64Encode(std::string("\x00\x00", 2)), "AAA=");
  // A Shift-JIS user name stays bytes: 東京 = 93 8C 8B 9E.
  EXPECT_EQ(base64Encode("\x93\x8c\x8b\x9e"), "k4yLng==");
}

TEST(BasicCredentialsTest, EmptyOnlyWhenBothPartsAreEmpty) {
  EXPECT_EQ(basicCredentials("", ""), "");
  EXPECT_EQ(basicCredentials("user", ""), "Basic dXNlcjo=");
  EXPECT_EQ(basicCredentials("", "pass"), "Basic OnBhc3M=");
  EXPECT_EQ(basicCredentials("Aladdin", "open sesame"), "Basic QWxhZGRpbjpvcGVuIHNlc2FtZQ==");
}
