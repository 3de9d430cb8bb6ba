// EucJpToShiftJisSource: the byte-pair conversion.
#include "programme/euc_jp_to_shift_jis_source.h"

int EucJpToShiftJisSource::nextByte() {
  if (pending_ == -1) return -1;
  if (pending_ != 0) {
    int trail = pending_;
    pending_ = 0;
    return trail;
  }
  int first = source_.nextByte();
  if (first < 0) {
    pending_ = -1;
    return -1;
  }
  if (first <= 0x7F) return first;
  int second = source_.nextByte();
  if (second < 0) {
    pending_ = -1;
    return -1;
  }
  if (first == 0x8E) return second;  // half-width katakana: same code
  int row = first & 0x7F, cell = second & 0x7F;
  int trail = (row & 1) ? cell + 0x1F : cell + 0x7D;
  if (trail >= 0x7F) ++trail;  // Shift-JIS skips 0x7F as a trail byte
  int lead = ((row - 0x21) >> 1) + 0x81;
  if (lead > 0x9F) lead += 0x40;
  pending_ = trail;
  return lead;
}
