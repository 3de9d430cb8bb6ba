// Fuzzes the JSON reader, whole and streamed, under small limits: it must
// end on every input, name a problem whenever it refuses one, and never
// hand over more than its limits allow.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "bytes/memory_bytes.h"
#include "json/json_reader.h"

namespace {

constexpr JsonLimits kLimits = {1u << 16, 256, 16, 2000};

std::size_t countValues(const JsonValue& value) {
  std::size_t count = 1;
  for (const JsonValue& item : value.items) count += countValues(item);
  return count;
}

struct Checked : JsonElementHandler {
  bool onElement(JsonValue& element) override {
    if (countValues(element) > kLimits.maxValues) std::abort();
    return true;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StringByteSource whole(data, size);
  JsonReader document(whole, kLimits);
  JsonValue value;
  const bool read = document.readDocument(value);
  if (read != (document.problem() == JsonProblem::None) || (!read && document.error().empty())) std::abort();
  if (read && countValues(value) > kLimits.maxValues) std::abort();
  StringByteSource streamed(data, size);
  JsonReader array(streamed, kLimits);
  Checked handler;
  if (!array.readArray(handler) && array.problem() == JsonProblem::None) std::abort();
  return 0;
}
