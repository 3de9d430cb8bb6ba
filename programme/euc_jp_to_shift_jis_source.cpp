// EucJpToShiftJisSource: the byte-pair conversion.
#include "programme/euc_jp_to_shift_jis_source.h"

#include <cstdint>
#include <cstring>

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
      // Markup is ASCII: eight bytes without a high bit pass at once.
      std::uint64_t eight;
      while (inEnd - in >= 8 && outEnd - out >= 8 &&
             (std::memcpy(&eight, in, 8), (eight & 0x8080808080808080u) == 0)) {
        std::memcpy(out, in, 8);
        in += 8;
        out += 8;
      }
      if (in == inEnd || out == outEnd) break;
      unsigned char first = *in++;
      if (first <= 0x7F) {
        *out++ = first;
      } else if (in == inEnd) {
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
