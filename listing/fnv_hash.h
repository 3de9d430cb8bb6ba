// Fnv1a32: the 32-bit FNV-1a hash, small and the same on every machine; the
// channel ids and the extras' table stamps are made with it.
#pragma once

#include <cstddef>
#include <cstdint>

class Fnv1a32 {
 public:
  void add(const unsigned char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) hash_ = (hash_ ^ bytes[i]) * 16777619u;
  }
  std::uint32_t value() const { return hash_; }

 private:
  std::uint32_t hash_ = 2166136261u;
};
