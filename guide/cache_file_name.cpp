// The cache file names the program writes, and the test that recognises them.
#include "guide/cache_file_name.h"

#include <cstdio>

#include "programme/page_files.h"

namespace {
constexpr std::size_t kDigits = 6;
}  // namespace

std::string cacheFileName(const char* pattern, int slotKey) {
  char name[32];
  std::snprintf(name, sizeof name, pattern, slotKey);
  return name;
}

bool isCacheFileName(const std::string& name) {
  for (std::size_t i = 0; i < kDigits; ++i) {
    if (i >= name.size() || name[i] < '0' || name[i] > '9') return false;
  }
  // Each pattern is "%06d" followed by its tail, "tb." and the extension.
  for (const char* pattern : {kPageFileNamePattern, kTableFileNamePattern, kPartialTableFileNamePattern}) {
    if (name.compare(kDigits, std::string::npos, pattern + 4) == 0) return true;
  }
  for (const char* extension : {kExtrasFileExtension, kWritingExtension}) {
    if (name.compare(kDigits, std::string::npos, std::string("tb.") + extension) == 0) return true;
  }
  for (const char* extension : kRefreshFileExtensions) {
    if (name.compare(kDigits, std::string::npos, std::string("tb.") + extension) == 0) return true;
  }
  return false;
}
