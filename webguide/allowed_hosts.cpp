// Matching Host headers against the service's own names.
#include "webguide/allowed_hosts.h"

#include "os/socket.h"

namespace {

// Lower case, without the brackets of an IPv6 address or a final dot.
std::string normalised(std::string name) {
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (name.size() >= 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
  if (!name.empty() && name.back() == '.') name.pop_back();
  return name;
}

// The name part of NAME, NAME:PORT, [IPv6] or [IPv6]:PORT; empty when the
// port part is not digits.
std::string hostPart(const std::string& host) {
  std::size_t end = host.size();
  if (!host.empty() && host[0] == '[') {
    end = host.find(']');
    if (end == std::string::npos) return std::string();
    ++end;
  } else if (host.find(':') != std::string::npos) {
    end = host.find(':');
  }
  const std::string port = end < host.size() ? host.substr(end) : std::string();
  if (!port.empty() && (port[0] != ':' || port.find_first_not_of("0123456789", 1) != std::string::npos)) {
    return std::string();
  }
  return host.substr(0, end);
}

}  // namespace

AllowedHosts::AllowedHosts() : names_{"localhost", "127.0.0.1", "::1"} {}

void AllowedHosts::add(const std::string& name) {
  const std::string key = normalised(name);
  if (!key.empty()) names_.insert(key);
}

void AllowedHosts::addThisMachine() {
  const std::string machine = os::hostName();
  add(machine);
  if (!machine.empty() && machine.find('.') == std::string::npos) add(machine + ".local");
}

bool AllowedHosts::allows(const std::string& host, const std::string& local) const {
  const std::string name = normalised(hostPart(host));
  if (name.empty()) return false;
  return names_.count(name) != 0 || (!local.empty() && name == normalised(local));
}

bool AllowedHosts::namesAPort(const std::string& name) {
  if (!name.empty() && name[0] == '[') return name.find(']') + 1 < name.size();
  // A bare IPv6 address has two colons or more.
  return name.find(':') != std::string::npos && name.find(':') == name.rfind(':');
}
