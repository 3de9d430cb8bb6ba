// EucJpToShiftJisSource: a ByteSource that converts the EUC-JP bytes of
// another source to Shift-JIS as they are read. Two-byte JIS X 0208 codes
// are mapped arithmetically, half-width katakana (0x8E xx) keep their code,
// ASCII passes. A lone lead byte at the end is dropped; three-byte codes
// (0x8F) get no special treatment.
//
// It converts a block at a time, taking its input in spans where the source
// offers them, and hands the block out byte by byte or as a span. Bytes of
// the source are read only as far as the block they are converted into.
#pragma once

#include "bytes/byte_source.h"

class EucJpToShiftJisSource : public ByteSource {
 public:
  explicit EucJpToShiftJisSource(ByteSource& source) : source_(source) {}
  int nextByte() override {
    if (taken_ == converted_ && !convertMore()) return -1;
    return output_[taken_++];
  }
  int peekSpan(const unsigned char*& bytes) override {
    if (taken_ == converted_ && !convertMore()) return 0;
    bytes = output_ + taken_;
    return converted_ - taken_;
  }
  void consume(int count) override { taken_ += count; }

 private:
  static constexpr int kBlock = 4096;

  // Converts the next input into output_; false at the end.
  bool convertMore();

  ByteSource& source_;
  int lead_ = -1;        // a lead byte whose second byte is still to come
  bool ended_ = false;   // the source has ended
  unsigned char output_[kBlock];
  int taken_ = 0;
  int converted_ = 0;
};
