// HtmlTokenizer: text collapsing, the five references, tag and attribute
// scanning, malformed markup, and stopping.
#include "programme/html_tokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bytes/memory_bytes.h"
#include "tests/support/chunked_byte_source.h"

namespace {

// Writes every event as a line: "T:text", "S:name{key=value,...}", "E:name".
class RecordingHandler : public HtmlHandler {
 public:
  bool onText(const std::string& text) override { return record("T:" + text); }
  bool onStartTag(const std::string& name, const StringMap& attributes) override {
    std::string line = "S:" + name + "{";
    for (const auto& attribute : attributes) line += attribute.first + "=" + attribute.second + ",";
    return record(line + "}");
  }
  bool onEndTag(const std::string& name) override { return record("E:" + name); }

  std::vector<std::string> events;
  int stopAfter = -1;  // answer false to this event (counted from 0)

 private:
  bool record(const std::string& line) {
    events.push_back(line);
    return static_cast<int>(events.size()) - 1 != stopAfter;
  }
};

std::vector<std::string> tokens(const std::string& input) {
  StringByteSource source(input);
  RecordingHandler handler;
  HtmlTokenizer tokenizer;
  EXPECT_TRUE(tokenizer.run(&source, &handler));
  return handler.events;
}

using Events = std::vector<std::string>;

TEST(HtmlTokenizerTest, TextCollapsesWhiteAndKeepsTheSpaceOfNbsp) {
  EXPECT_EQ(Events{"T:a b"}, tokens("a  \r\n b"));
  EXPECT_EQ(Events{}, tokens(" \t\r\n "));
  EXPECT_EQ(Events{"T: "}, tokens("&nbsp;"));
  EXPECT_EQ(Events{"T:x  y"}, tokens("x&nbsp;&nbsp;y"));
  EXPECT_EQ(Events{"T:  a  "}, tokens("  &nbsp; a &nbsp;  "));
  // Control bytes count as white too.
  EXPECT_EQ(Events{"T:a b"}, tokens(std::string("\x01" "a\x00\x1F" "b", 5)));
}

TEST(HtmlTokenizerTest, OnlyTheFiveReferencesAreDecodedExactly) {
  EXPECT_EQ(Events{"T:<>& \""}, tokens("&lt;&gt;&amp;&nbsp;&quot;"));
  EXPECT_EQ(Events{"T:&AMP; &#38; a&b &amp"}, tokens("&AMP; &#38; a&b &amp"));
  EXPECT_EQ(Events{"T:x &lt"}, tokens("x &lt"));
  EXPECT_EQ(Events{"T:&lt;"}, tokens("&amp;lt;"));  // decoded once, not twice
  // References in attribute values stay as written.
  EXPECT_EQ(Events{"S:img{alt=a&amp;b,}"}, tokens("<img alt=\"a&amp;b\">"));
}

TEST(HtmlTokenizerTest, NamesAreLoweredAndValuesKeepTheirCase) {
  EXPECT_EQ(Events{"S:td{bgcolor=#ffccCC,rowspan=3,}"}, tokens("<TD BgColor=#ffccCC rowspan=3>"));
  EXPECT_EQ(Events{"S:td{a=2,}"}, tokens("<td a=1 a=2>"));
  EXPECT_EQ(Events{"S:td{x=,}"}, tokens("<td =5 x>"));
  EXPECT_EQ(Events{"E:table"}, tokens("</TABLE foo=1>"));
  EXPECT_EQ(Events{"S:a{href='x,y'=,}"}, tokens("<a href='x y'>"));
  EXPECT_EQ(Events{"S:img{/=,src=x,}"}, tokens("<img src=x />"));
  EXPECT_EQ(Events{"S:br/{}"}, tokens("<br/>"));
  EXPECT_EQ(Events{"S:!--{--=,a=,}"}, tokens("<!-- a -->"));
  EXPECT_EQ(Events{"S:a{b=,c=,}"}, tokens("<a b = c>"));
}

TEST(HtmlTokenizerTest, OnlySpaceAndTabEndATagName) {
  EXPECT_EQ(Events{"S:td\nrowspan=2{}"}, tokens("<td\nrowspan=2>"));
  EXPECT_EQ(Events{"S:td{rowspan=2,}"}, tokens("<td\trowspan=2>"));
  // Within the attributes every white byte separates.
  EXPECT_EQ(Events{"S:td{a=1,b=2,}"}, tokens("<td a=1\r\nb=2>"));
}

TEST(HtmlTokenizerTest, QuotedValuesRunAcrossSpacesAndAngleBrackets) {
  EXPECT_EQ(Events({"S:a{b=1,title=x > y,}", "T:z"}), tokens("<a title=\"x > y\"b=1>z"));
  // An unterminated value is what the final flush delivers, as text.
  EXPECT_EQ(Events({"T:q", "T:x>text"}), tokens("q<a t=\"x>text"));
  EXPECT_EQ(Events({"T:abc"}), tokens("<a t=abc"));
  // A '<' inside a tag is an ordinary byte; a stray '>' in text is text.
  EXPECT_EQ(Events({"S:a<b{}", "T:c > d"}), tokens("<a<b>c > d"));
}

TEST(HtmlTokenizerTest, ATagCutOffAtTheEndIsNeverDelivered) {
  EXPECT_EQ(Events{"T:a"}, tokens("a<b"));
  EXPECT_EQ(Events({"T:a", "E:td"}), tokens("a</td><td row"));
}

TEST(HtmlTokenizerTest, ShiftJisPassesThroughTextNamesAndValues) {
  // The trail byte 0x5C of the second character must not disturb anything.
  const std::string table = "\x94\xd4\x91\x67\x95\x5c";
  EXPECT_EQ(Events({"S:img{alt=" + table + ",}", "T:" + table}),
            tokens("<img alt=\"" + table + "\">" + table));
  // Names are lowered byte by byte, even a trail byte that reads as a letter.
  EXPECT_EQ(Events{"S:\x83" "a{}"}, tokens("<\x83\x41>"));
}

TEST(HtmlTokenizerTest, AFalseFromTheHandlerStopsReadingAtOnce) {
  const std::string input = "one<b>two</b>three";
  StringByteSource source(input);
  RecordingHandler handler;
  handler.stopAfter = 1;  // the start tag
  HtmlTokenizer tokenizer;
  EXPECT_FALSE(tokenizer.run(&source, &handler));
  EXPECT_EQ(Events({"T:one", "S:b{}"}), handler.events);
  EXPECT_EQ('t', source.nextByte());  // nothing after the '>' was read

  StringByteSource last("a<b>tail");
  RecordingHandler refusesTail;
  refusesTail.stopAfter = 2;
  EXPECT_FALSE(tokenizer.run(&last, &refusesTail));
}

// Every state met at the end of a span: the events do not depend on how
// the input is cut, and a stop leaves the rest unread in every case.
TEST(HtmlTokenizerTest, EventsDoNotDependOnTheSpansOfTheInput) {
  const std::string input =
      "a &amp; b<TD BgColor=\"#FF0000\" rowspan=3 nowrap x=\"1 > 2\">c\n d</td><Br/>"
      "<img src=x />e<A\nB>f</A\nB><p\t=v =w>";
  const Events expected = tokens(input);
  for (int chunk : {0, 1, 2, 3, 5}) {
    ChunkedByteSource source(input, chunk);
    RecordingHandler handler;
    HtmlTokenizer tokenizer;
    EXPECT_TRUE(tokenizer.run(&source, &handler));
    EXPECT_EQ(expected, handler.events) << "spans of " << chunk;

    ChunkedByteSource stopped(input, chunk);
    RecordingHandler stopping;
    stopping.stopAfter = 1;  // the td start tag
    EXPECT_FALSE(tokenizer.run(&stopped, &stopping));
    EXPECT_EQ('c', stopped.nextByte()) << "spans of " << chunk;
  }
}

// Attributes not kept stay out of the map and nothing else changes, however
// the input is cut, even when it ends inside the value of one not kept.
TEST(HtmlTokenizerTest, AttributesNotKeptStayOutAndNothingElseChanges) {
  const std::string tags = "<TD BgColor=\"#FF0000\" rowspan=3 nowrap x=\"1 > 2\">c</td><p =v bgcolor X>";
  const Events kept{"S:td{bgcolor=#FF0000,x=1 > 2,}", "T:c", "E:td", "S:p{bgcolor=,x=,}"};
  for (const char* tail : {"", "<a href=\"cut  off", "<a href=cut"}) {
    const Events expected = tokens(tags + tail);
    for (int chunk : {0, 1, 2, 3, 5}) {
      ChunkedByteSource source(tags + tail, chunk);
      RecordingHandler handler;
      HtmlTokenizer tokenizer;
      tokenizer.keepOnlyAttributes({"bgcolor", "x"});
      EXPECT_TRUE(tokenizer.run(&source, &handler));
      Events wanted = kept;
      if (expected.size() > kept.size()) wanted.push_back(expected.back());
      EXPECT_EQ(wanted, handler.events) << tail << ", spans of " << chunk;
    }
  }
}

TEST(HtmlTokenizerTest, MissingSourceOrHandlerReadsNothing) {
  const std::string input = "x";
  StringByteSource source(input);
  RecordingHandler handler;
  HtmlTokenizer tokenizer;
  EXPECT_FALSE(tokenizer.run(nullptr, &handler));
  EXPECT_FALSE(tokenizer.run(&source, nullptr));
  EXPECT_EQ('x', source.nextByte());
  EXPECT_TRUE(handler.events.empty());
}

}  // namespace
