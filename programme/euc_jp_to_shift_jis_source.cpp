// EucJpToShiftJisSource: the byte-pair conversion.
#include "programme/euc_jp_to_shift_jis_source.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "net/span_reader.h"

namespace {

// Writes the Shift-JIS form of the EUC-JP pair (first, second) at `out`;
// returns the position after it.
inline unsigned char* convertPair(int first, int second, unsigned char* out) {
  if (first == 0x8E) {  // half-width katakana: same code
    *out++ = static_cast<unsigned char>(second);
    return out;
  }
  int row = first & 0x7F, cell = second & 0x7F;
  int trail = (row & 1) ? cell + 0x1F : cell + 0x7D;
  if (trail >= 0x7F) ++trail;  // Shift-JIS skips 0x7F as a trail byte
  int lead = ((row - 0x21) >> 1) + 0x81;
  if (lead > 0x9F) lead += 0x40;
  *out++ = static_cast<unsigned char>(lead);
  *out++ = static_cast<unsigned char>(trail);
  return out;
}

// How many of the first `size` bytes have no high bit, eight at a time.
inline std::size_t asciiRun(const unsigned char* bytes, std::ptrdiff_t size) {
  const std::uint64_t high = 0x8080808080808080u;
  std::size_t at = 0;
  const std::size_t limit = static_cast<std::size_t>(size);
  for (std::uint64_t eight; at + 8 <= limit; at += 8) {
    std::memcpy(&eight, bytes + at, 8);
    // Little-endian: the lowest set high bit marks the first high byte.
    if (eight & high) return at + static_cast<std::size_t>(__builtin_ctzll(eight & high) / 8);
  }
  while (at < limit && bytes[at] <= 0x7F) ++at;
  return at;
}

}  // namespace

bool EucJpToShiftJisSource::convertMore() {
  taken_ = converted_ = 0;
  unsigned char* out = output_;
  // A pair needs two bytes of room, so a span of one byte always goes whole.
  unsigned char* const outEnd = output_ + kBlock - 1;
  SpanReader input(source_);
  while (out == output_) {
    if (ended_) return false;
    const unsigned char* in;
    int count = input.next(in);
    if (count == 0) {
      ended_ = true;  // a lead byte still held is dropped
      return false;
    }
    const unsigned char* const start = in;
    const unsigned char* const inEnd = in + count;
    if (lead_ >= 0) {
      out = convertPair(lead_, *in++, out);
      lead_ = -1;
    }
    while (in < inEnd && out < outEnd) {
      // Markup is ASCII: the run up to the next high byte passes as it is.
      std::size_t run = asciiRun(in, std::min(inEnd - in, outEnd - out));
      std::memcpy(out, in, run);
      in += run;
      out += run;
      if (in == inEnd || out == outEnd) break;
      unsigned char first = *in++;
      if (in == inEnd) {
        lead_ = first;  // its second byte is in the next span
      } else {
        out = convertPair(first, *in++, out);
      }
    }
    input.take(static_cast<int>(in - start));
  }
  converted_ = static_cast<int>(out - output_);
  return true;
}
