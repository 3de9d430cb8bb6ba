// VarUInt: encoding and decoding.
#include "programme/var_uint.h"

bool writeVarUInt(ByteSink& sink, std::uint32_t value) {
  unsigned char bytes[5];
  int length;
  if (value < 0x80) {
    bytes[0] = static_cast<unsigned char>(value);
    length = 1;
  } else if (value < 0x2000) {
    bytes[0] = static_cast<unsigned char>(0x80 | (value >> 8));
    length = 2;
  } else if (value < 0x200000) {
    bytes[0] = static_cast<unsigned char>(0xA0 | (value >> 16));
    length = 3;
  } else if (value < 0x20000000) {
    bytes[0] = static_cast<unsigned char>(0xC0 | (value >> 24));
    length = 4;
  } else {
    bytes[0] = 0xE0;
    length = 5;
  }
  for (int i = 1; i < length; ++i) {
    bytes[i] = static_cast<unsigned char>(value >> (8 * (length - 1 - i)));
  }
  return sink.write(bytes, length) == length;
}

bool readVarUInt(ByteSource& source, std::uint32_t* value) {
  int first = source.nextByte();
  if (first < 0) return false;
  if (first < 0x80) {
    *value = static_cast<std::uint32_t>(first);
    return true;
  }
  const int more = ((first >> 5) & 3) + 1;  // 100 -> 1 ... 111 -> 4
  std::uint32_t result = static_cast<std::uint32_t>(first & 0x1F);
  for (int i = 0; i < more; ++i) {
    int byte = source.nextByte();
    if (byte < 0) return false;
    result = (result << 8) + static_cast<std::uint32_t>(byte);
  }
  *value = result;
  return true;
}
