// Fuzzes the status line and header block parser of HTTP responses, and the
// body that follows in the same reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "net/response_parser.h"

namespace {
class BytesSource : public ByteSource {
 public:
  BytesSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  int nextByte() override { return position_ < size_ ? data_[position_++] : -1; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  BytesSource source(data, size);
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
