#include "webguide/entity_tag.h"

#include <cstdint>
#include <cstdio>

namespace {

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

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
    std::string candidate = trimmed(ifNoneMatch.substr(at, end - at));
    if (candidate.compare(0, 2, "W/") == 0) candidate.erase(0, 2);
    if (candidate == "*" || candidate == etag) return true;
    at = end + 1;
  }
  return false;
}
