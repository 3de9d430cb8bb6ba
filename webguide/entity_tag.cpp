#include "webguide/entity_tag.h"

#include <cstdint>
#include <cstdio>

#include "os/ascii.h"

std::string etagOf(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a, 64 bits
  for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
  char text[24];
  std::snprintf(text, sizeof text, "\"%016llx\"", static_cast<unsigned long long>(hash));
  return text;
}

bool etagMatches(const std::string& ifNoneMatch, const std::string& etag) {
  for (std::size_t at = 0; at <= ifNoneMatch.size();) {
    std::size_t end = ifNoneMatch.find(',', at);
    if (end == std::string::npos) end = ifNoneMatch.size();
    std::string candidate = ascii::trimmed(ifNoneMatch.substr(at, end - at));
    if (candidate.compare(0, 2, "W/") == 0) candidate.erase(0, 2);
    if (candidate == "*" || candidate == etag) return true;
    at = end + 1;
  }
  return false;
}
