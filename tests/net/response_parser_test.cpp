// The status line and the header block of a response, and the caps that
// keep an endless head from exhausting memory.
#include "net/response_parser.h"

#include <gtest/gtest.h>

#include <string>

#include "bytes/memory_bytes.h"

namespace {
// `head`, then `filler` repeated for ever; counts what it handed out.
class EndlessSource : public ByteSource {
 public:
  EndlessSource(std::string head, std::string filler)
      : head_(std::move(head)), filler_(std::move(filler)) {}
  int nextByte() override {
    std::size_t at = static_cast<std::size_t>(served++);
    char c = at < head_.size() ? head_[at] : filler_[(at - head_.size()) % filler_.size()];
    return static_cast<unsigned char>(c);
  }
  long long served = 0;

 private:
  std::string head_;
  std::string filler_;
};

bool parse(const std::string& text, HttpResponse& response) {
  StringByteSource source(text);
  ResponseParser parser(source);
  return parser.parse(response);
}
}  // namespace

TEST(StatusLineTest, AcceptsVersionsZeroAndOneWithAPhrase) {
  HttpResponse response;
  EXPECT_TRUE(parseStatusLine("HTTP/1.1 302 Found", response));
  EXPECT_EQ(response.status, 302);
  EXPECT_EQ(response.reason, "Found");
  EXPECT_TRUE(parseStatusLine("HTTP/1.0 404 Not Found", response));
  EXPECT_EQ(response.reason, "Not Found");
  EXPECT_TRUE(parseStatusLine("HTTP/1.0 200 ", response));
  EXPECT_EQ(response.status, 200);
  EXPECT_EQ(response.reason, "");
}

TEST(StatusLineTest, RefusesOtherShapes) {
  HttpResponse response;
  EXPECT_FALSE(parseStatusLine("HTTP/1.2 200 OK", response));
  EXPECT_FALSE(parseStatusLine("HTTP/1.0 200", response));
  EXPECT_FALSE(parseStatusLine("HTTP/1.0 2x0 OK", response));
  EXPECT_FALSE(parseStatusLine("HTTP/1.0  200 OK", response));
  EXPECT_FALSE(parseStatusLine("http/1.0 200 OK", response));
  EXPECT_FALSE(parseStatusLine("HTTP/1.0 200-OK", response));
}

TEST(ResponseParserTest, ReadsHeadersLowerCasedWithTheirValuesAsSent) {
  HttpResponse response;
  ASSERT_TRUE(parse("HTTP/1.0 200 OK\r\n"
                    "Content-Length:   1234  \r\n"
                    "Location: http://a:b/c\r\n"
                    "Set-Cookie: one\r\n"
                    "SET-COOKIE: two\n"
                    "Odd Name : x\r\n"
                    "NoColon\r\n"
                    "\r\nbody",
                    response));
  EXPECT_EQ(response.headers["content-length"], "1234  ");
  EXPECT_EQ(parseLeadingInt(response.headers["content-length"]), 1234);
  EXPECT_EQ(response.headers["location"], "http://a:b/c");
  EXPECT_EQ(response.headers["set-cookie"], "two");
  EXPECT_EQ(response.headers["odd name "], "x");
  EXPECT_EQ(response.headers.count("nocolon"), 1u);
  EXPECT_EQ(response.headers["nocolon"], "");
}

TEST(ResponseParserTest, LeavesTheBodyInTheSameSource) {
  StringByteSource source("HTTP/1.0 200 OK\r\nA: b\r\n\r\nXY");
  ResponseParser parser(source);
  HttpResponse response;
  ASSERT_TRUE(parser.parse(response));
  EXPECT_EQ(parser.nextByte(), 'X');
  EXPECT_EQ(parser.nextByte(), 'Y');
  EXPECT_EQ(parser.nextByte(), -1);
}

TEST(ResponseParserTest, FailsWhenTheHeadEndsEarlyAndClearsTheOldResponse) {
  HttpResponse response;
  response.status = 302;
  response.headers["location"] = "x";
  EXPECT_FALSE(parse("HTTP/1.0 200 OK\r\nA: b\r\n", response));
  EXPECT_FALSE(parse("", response));
  EXPECT_EQ(response.status, 0);
  EXPECT_TRUE(response.headers.empty());
  EXPECT_FALSE(parse("garbage\r\n\r\n", response));
}

TEST(ResponseParserTest, GivesUpOnAnEndlessHeaderLine) {
  EndlessSource source("HTTP/1.0 200 OK\r\nX: ", "a");
  ResponseParser parser(source);
  HttpResponse response;
  EXPECT_FALSE(parser.parse(response));
  EXPECT_LE(source.served, LineReader::kMaxLineBytes + 20);
}

TEST(ResponseParserTest, GivesUpOnEndlessHeaders) {
  EndlessSource endless("HTTP/1.0 200 OK\r\n", "Set-Cookie: a\r\n");
  ResponseParser parser(endless);
  HttpResponse response;
  EXPECT_FALSE(parser.parse(response));
  EXPECT_LE(endless.served, 16 * (ResponseParser::kMaxHeaderLines + 2));

  std::string head = "HTTP/1.0 200 OK\r\n";
  for (int i = 0; i < ResponseParser::kMaxHeaderLines + 1; ++i) head += "X: y\r\n";
  EXPECT_FALSE(parse(head + "\r\n", response));
  head = "HTTP/1.0 200 OK\r\n";
  for (int i = 0; i < ResponseParser::kMaxHeaderLines; ++i) head += "X: y\r\n";
  EXPECT_TRUE(parse(head + "\r\n", response));
}

TEST(ResponseParserTest, GivesUpOnAnEndlessStatusLine) {
  EndlessSource source("", "HTTP/1.0 200 OK");
  ResponseParser parser(source);
  HttpResponse response;
  EXPECT_FALSE(parser.parse(response));
  EXPECT_LE(source.served, LineReader::kMaxLineBytes);
}

TEST(LineReaderTest, EndsALastLineWithoutNewlineThenStaysEnded) {
  StringByteSource source("one\r\ntw\ro");
  LineReader reader(source);
  std::string line;
  EXPECT_TRUE(reader.readLine(line));
  EXPECT_EQ(line, "one");
  EXPECT_TRUE(reader.readLine(line));
  EXPECT_EQ(line, "two");
  EXPECT_TRUE(reader.atEnd());
  EXPECT_FALSE(reader.readLine(line));
  EXPECT_EQ(line, "");
}
