// What the fuzz targets share: a table's file bytes for comparing tables.
// Fuzz input is read through StringByteSource (bytes/memory_bytes.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bytes/memory_bytes.h"
#include "programme/programme_table.h"

// The table file of `table`; a table that cannot be written is a finding.
inline std::string fileOf(const ProgrammeTable& table) {
  StringByteSink sink;
  if (!table.write(sink)) std::abort();
  return sink.bytes();
}
