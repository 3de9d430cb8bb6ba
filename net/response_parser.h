// ResponseParser: reads the status line and the header block of an HTTP
// response from a byte source; the body follows in the same source.
// The head is capped (line length and number of lines) so that a peer
// sending endless headers cannot exhaust memory or hold the reader for ever.
#pragma once

#include <string>

#include "net/http_response.h"
#include "net/line_reader.h"

class ResponseParser : public LineReader {
 public:
  // Header lines a response may carry before the empty line.
  static constexpr int kMaxHeaderLines = 256;

  explicit ResponseParser(ByteSource& source) : LineReader(source) {}

  // Clears `response`, then fills it. False for a bad status line, a line
  // over the caps, too many headers, or the end of input inside the head.
  bool parse(HttpResponse& response);

 private:
  // One header line into `name`/`value`. 1 for a header, 0 for the empty
  // line that ends the block, -1 on failure.
  int readHeaderLine(std::string& name, std::string& value);
};

// "HTTP/1.0" or "HTTP/1.1", a space, three digits, a space, then the reason.
bool parseStatusLine(const std::string& line, HttpResponse& response);
