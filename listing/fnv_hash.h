// Fnv1a32 and Fnv1a64: the FNV-1a hashes, small and the same on every
// machine; the channel ids and the extras' table stamps are made with the
// 32-bit one, the watch list's episode keys with the 64-bit one.
#pragma once

#include <cstddef>
#include <cstdint>

class Fnv1a32 {
 public:
  void add(const unsigned char* bytes, std::size_t count) {
    // Four bytes a turn: every table file of a week is stamped on each read.
    std::uint32_t hash = hash_;
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
      hash = (hash ^ bytes[i]) * 16777619u;
      hash = (hash ^ bytes[i + 1]) * 16777619u;
      hash = (hash ^ bytes[i + 2]) * 16777619u;
      hash = (hash ^ bytes[i + 3]) * 16777619u;
    }
    for (; i < count; ++i) hash = (hash ^ bytes[i]) * 16777619u;
    hash_ = hash;
  }
  std::uint32_t value() const { return hash_; }

 private:
  std::uint32_t hash_ = 2166136261u;
};

class Fnv1a64 {
 public:
  void add(const unsigned char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) hash_ = (hash_ ^ bytes[i]) * 1099511628211ull;
  }
  std::uint64_t value() const { return hash_; }

 private:
  std::uint64_t hash_ = 14695981039346656037ull;
};
