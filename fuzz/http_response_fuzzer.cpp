// Fuzzes the status line and header block parser of HTTP responses, and the
// body that follows in the same reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzz_bytes.h"
#include "net/response_parser.h"

namespace {
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StringByteSource source(data, size);
  ResponseParser parser(source);
  HttpResponse response;
  if (parser.parse(response)) {
    if (response.status < 0 || response.status > 999) std::abort();
    if (response.headers.size() > ResponseParser::kMaxHeaderLines) std::abort();
    for (const auto& header : response.headers) {
      if (header.first.size() >= LineReader::kMaxLineBytes) std::abort();
      for (char c : header.first) {
        if (c >= 'A' && c <= 'Z') std::abort();
        if (c == '\n' || c == '\r') std::abort();
      }
    }
  }
  while (parser.nextByte() >= 0) {
  }
  if (parser.nextByte() != -1) std::abort();
  return 0;
}
