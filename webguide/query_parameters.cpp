// Reading query parameters.
#include "webguide/query_parameters.h"

#include "os/ascii.h"

int queryParameter(const std::string& query, const std::string& name, std::string& value) {
  for (std::size_t at = 0; at <= query.size();) {
    std::size_t end = query.find('&', at);
    if (end == std::string::npos) end = query.size();
    const std::string pair = query.substr(at, end - at);
    const std::size_t equals = pair.find('=');
    std::string key;
    if (!ascii::percentDecoded(pair.substr(0, equals), key)) return -1;
    if (key == name) {
      if (!ascii::percentDecoded(equals == std::string::npos ? std::string() : pair.substr(equals + 1), value)) return -1;
      return 1;
    }
    at = end + 1;
  }
  return 0;
}
