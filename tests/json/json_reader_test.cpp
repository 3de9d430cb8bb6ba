#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bytes/memory_bytes.h"
#include "json/json_reader.h"

namespace {

JsonProblem problemOf(const std::string& text, const JsonLimits& limits = {}) {
  StringByteSource source(text);
  JsonReader reader(source, limits);
  JsonValue value;
  const bool read = reader.readDocument(value);
  EXPECT_EQ(read, reader.problem() == JsonProblem::None) << text;
  return reader.problem();
}

struct Collect : JsonElementHandler {
  std::vector<long long> ids;
  std::size_t stopAfter = 1000;
  bool onElement(JsonValue& element) override {
    ids.push_back(element.integerAt("id", -1));
    return ids.size() < stopAfter;
  }
};

TEST(JsonReader, ReadsEveryKindOfValueWithEscapesAndUtf8) {
  StringByteSource source(
      " {\"id\": 327360102400005, \"name\": \"\xe5\xb1\xb1\xef\xa8\x91\\u3042\\ud83c\\ude11\\n\\\"\\/\", "
      "\"free\": true, \"gone\": null, \"rate\": -1.5e3, \"genres\": [{\"lv1\": 7}, [], {}], \"id\": 1}\r\n");
  JsonReader reader(source);
  JsonValue value;
  ASSERT_TRUE(reader.readDocument(value)) << reader.error();
  EXPECT_EQ(327360102400005LL, value.integerAt("id"));  // the first of two keys; no double rounding
  EXPECT_EQ("\xe5\xb1\xb1\xef\xa8\x91\xe3\x81\x82\xf0\x9f\x88\x91\n\"/", value.stringAt("name"));
  EXPECT_TRUE(value.boolAt("free"));
  EXPECT_EQ(JsonType::Null, value.find("gone")->type);
  long long whole = 0;
  EXPECT_FALSE(value.find("rate")->integer(whole));
  EXPECT_EQ("-1.5e3", value.find("rate")->text);
  const JsonValue* genres = value.find("genres");
  ASSERT_EQ(3u, genres->items.size());
  EXPECT_EQ(7, genres->items[0].integerAt("lv1"));
  EXPECT_EQ("fallback", value.stringAt("free", "fallback"));  // a member of another type
  EXPECT_EQ(nullptr, genres->find("lv1"));
}

TEST(JsonReader, StreamsAnArrayElementByElementAndStopsWhenAsked) {
  const std::string text = "[{\"id\":1},{\"id\":2,\"x\":[1,2,3]},\n{\"id\":3}]";
  StringByteSource source(text);
  JsonReader reader(source);
  Collect all;
  ASSERT_TRUE(reader.readArray(all)) << reader.error();
  EXPECT_EQ((std::vector<long long>{1, 2, 3}), all.ids);

  StringByteSource again(text);
  JsonReader stopped(again);
  Collect first;
  first.stopAfter = 1;
  EXPECT_FALSE(stopped.readArray(first));
  EXPECT_EQ(JsonProblem::Stopped, stopped.problem());

  StringByteSource object("{\"id\":1}");
  JsonReader notArray(object);
  EXPECT_FALSE(notArray.readArray(all));
  EXPECT_EQ(JsonProblem::NotArray, notArray.problem());
}

TEST(JsonReader, RefusesMalformedInputNamingTheFault) {
  const struct {
    const char* text;
    JsonProblem problem;
  } cases[] = {
      {"", JsonProblem::Truncated},
      {"[1, 2", JsonProblem::Truncated},
      {"{\"a\": \"b", JsonProblem::Truncated},
      {"\"\xe3\x81", JsonProblem::Truncated},
      {"[1 2]", JsonProblem::BadToken},
      {"{\"a\" 1}", JsonProblem::BadToken},
      {"{a: 1}", JsonProblem::BadToken},
      {"[1,]", JsonProblem::BadToken},
      {"tru", JsonProblem::Truncated},
      {"nul!", JsonProblem::BadToken},
      {"\"tab\tinside\"", JsonProblem::BadString},
      {"\"\\x\"", JsonProblem::BadString},
      {"\"\\u12G4\"", JsonProblem::BadString},
      {"\"\xc0\xaf\"", JsonProblem::BadUtf8},          // overlong "/"
      {"\"\xed\xa0\x80\"", JsonProblem::BadUtf8},      // a surrogate written as UTF-8
      {"\"\x82\xa0\"", JsonProblem::BadUtf8},          // Shift-JIS
      {"01", JsonProblem::BadNumber},
      {"-", JsonProblem::Truncated},
      {"1.", JsonProblem::Truncated},
      {"1e+x", JsonProblem::BadNumber},
      {"{} {}", JsonProblem::TrailingBytes},
  };
  for (const auto& c : cases) EXPECT_EQ(c.problem, problemOf(c.text)) << c.text;
  // A lone surrogate escape is a character that is not there, not a fault.
  EXPECT_EQ(JsonProblem::None, problemOf("\"\\ud800x\\udc00\""));
}

TEST(JsonReader, KeepsToItsLimits) {
  JsonLimits limits;
  limits.maxDepth = 3;
  limits.maxStringBytes = 8;
  limits.maxValues = 5;
  limits.maxBytes = 40;
  EXPECT_EQ(JsonProblem::None, problemOf("[[[1]]]", limits));
  EXPECT_EQ(JsonProblem::TooDeep, problemOf("[[[[1]]]]", limits));
  EXPECT_EQ(JsonProblem::None, problemOf("\"12345678\"", limits));
  EXPECT_EQ(JsonProblem::StringTooLong, problemOf("\"123456789\"", limits));
  EXPECT_EQ(JsonProblem::StringTooLong, problemOf("{\"123456789\": 1}", limits));
  EXPECT_EQ(JsonProblem::TooManyValues, problemOf("[1,2,3,4,5]", limits));
  EXPECT_EQ(JsonProblem::TooLarge, problemOf("[1,                                         2]", limits));
  EXPECT_EQ(JsonProblem::TooLarge, problemOf("1                                                ", limits));
  // The values are counted per element of a streamed array, the bytes over the whole.
  limits.maxBytes = 1000;
  StringByteSource source("[[1,2,3],[4,5,6],[7,8,9]]");
  JsonReader reader(source, limits);
  Collect each;
  EXPECT_TRUE(reader.readArray(each)) << reader.error();
  EXPECT_EQ(3u, each.ids.size());
}

TEST(JsonReader, ErrorNamesTheByteOffsetInJapanese) {
  StringByteSource source("[1, x]");
  JsonReader reader(source);
  JsonValue value;
  EXPECT_FALSE(reader.readDocument(value));
  EXPECT_EQ(std::string("JSON 4\x83\x6f\x83\x43\x83\x67\x96\xda: ") + jsonProblemText(JsonProblem::BadToken),
            reader.error());
  EXPECT_STREQ("unexpected character", jsonProblemEnglish(reader.problem()));
}

}  // namespace
