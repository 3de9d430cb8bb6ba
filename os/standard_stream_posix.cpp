#include "os/standard_stream.h"

#include <cstdio>

namespace os {

void writeStandard(StandardStream stream, const std::string& utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stream == StandardStream::Output ? stdout : stderr);
}

}  // namespace os
