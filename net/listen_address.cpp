// Reading --listen.
#include "net/listen_address.h"

#include <vector>

#include "os/socket.h"

namespace {

std::vector<std::string> partsOf(const std::string& text) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == '.') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Text a numeric IPv4 reader would take in one of its forms: one to four
// numbers, decimal, octal or hexadecimal. No host name looks like this.
bool looksNumeric(const std::string& text) {
  const std::vector<std::string> parts = partsOf(text);
  if (parts.size() > 4) return false;
  for (const std::string& part : parts) {
    if (part.empty() || !isDigit(part[0])) return false;
    const bool hex = part.size() > 1 && part[0] == '0' && (part[1] == 'x' || part[1] == 'X');
    const std::string digits = hex ? part.substr(2) : part;
    const char* allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (digits.find_first_not_of(allowed) != std::string::npos) return false;
  }
  return true;
}

// Four decimal numbers 0-255 without leading zeros (which old readers take
// as octal).
bool isFullDotted(const std::string& text) {
  const std::vector<std::string> parts = partsOf(text);
  if (parts.size() != 4) return false;
  for (const std::string& part : parts) {
    if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string::npos) return false;
    if (part.size() > 1 && part[0] == '0') return false;
    if (std::stoi(part) > 255) return false;
  }
  return true;
}

bool isLoopback(const std::string& numeric) { return numeric.compare(0, 4, "127.") == 0 || numeric == "::1"; }

}  // namespace

bool readListenAddress(const std::string& typed, ListenAddress& address, std::string& failure) {
  address = ListenAddress();
  if (typed.empty()) {
    failure = "no address given";
    return false;
  }
  if (isFullDotted(typed)) {
    address.numeric = typed;
  } else if (looksNumeric(typed)) {
    failure = "'" + typed + "' is not a whole IPv4 address: write all four numbers in decimal (127.0.0.1; 0.0.0.0 for every address)";
    return false;
  } else if (typed.find(':') != std::string::npos) {
    std::string bare = typed;
    if (bare.size() > 2 && bare.front() == '[' && bare.back() == ']') bare = bare.substr(1, bare.size() - 2);
    if (!os::ipv6Address(bare, address.numeric)) {
      failure = os::ipv6Address("::1", address.numeric) ? "'" + typed + "' is not an IPv6 address"
                                                        : "IPv6 addresses cannot be listened on here (IPv4 only)";
      return false;
    }
  } else if (!os::resolveListenAddress(typed, address.numeric)) {
    failure = "cannot find the address of '" + typed + "'";
    return false;
  }
  address.loopbackOnly = isLoopback(address.numeric);
  return true;
}

std::string addressWithPort(const std::string& numeric, int port) {
  const bool v6 = numeric.find(':') != std::string::npos;
  return (v6 ? "[" + numeric + "]" : numeric) + ":" + std::to_string(port);
}
