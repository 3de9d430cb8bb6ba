// EucJpToShiftJisSource: a ByteSource that converts the EUC-JP bytes of
// another source to Shift-JIS as they are read. Two-byte JIS X 0208 codes
// are mapped arithmetically, half-width katakana (0x8E xx) keep their code,
// ASCII passes. A lone lead byte at the end is dropped; three-byte codes
// (0x8F) get no special treatment.
#pragma once

#include "net/byte_source.h"

class EucJpToShiftJisSource : public ByteSource {
 public:
  explicit EucJpToShiftJisSource(ByteSource& source) : source_(source) {}
  int nextByte() override;

 private:
  ByteSource& source_;
  int pending_ = 0;  // 0 none, -1 the end was reached, else a trail byte
};
