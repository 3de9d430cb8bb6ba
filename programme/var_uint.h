// VarUInt: the variable-length unsigned integer of the table file. The top
// three bits of the first byte give the length:
//   0xx  1 byte   value below 0x80
//   100  2 bytes  low 5 bits and 1 more byte (below 0x2000)
//   101  3 bytes  (below 0x200000)
//   110  4 bytes  (below 0x20000000)
//   111  5 bytes  first byte 0xE0, then the 4 bytes of the value
// Later bytes are more significant first.
#pragma once

#include <cstdint>

#include "bytes/byte_sink.h"
#include "bytes/byte_source.h"

// False when the sink refuses a byte.
bool writeVarUInt(ByteSink& sink, std::uint32_t value);
// False when the input ends inside the number.
bool readVarUInt(ByteSource& source, std::uint32_t* value);
