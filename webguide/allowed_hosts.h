// AllowedHosts: the names a request's Host header may give for the guide
// service to answer it. A page from elsewhere that a browser of the
// household opens can point its own name at this machine (DNS rebinding);
// its requests then carry that foreign name and are refused.
#pragma once

#include <set>
#include <string>

class AllowedHosts {
 public:
  // localhost, 127.0.0.1 and ::1 from the start.
  AllowedHosts();
  // A name or numeric address, in any case; an IPv6 address with or
  // without brackets.
  void add(const std::string& name);
  // This machine's host name, and NAME.local for one without a dot (what
  // multicast DNS answers for it): the names a phone in the household types.
  void addThisMachine();
  // `host` is a Host header's value (NAME, NAME:PORT, [IPv6]:PORT; the port
  // is not compared); `local` the numeric address the connection came to,
  // which is always allowed.
  bool allows(const std::string& host, const std::string& local) const;
  // True for NAME:PORT and [IPv6]:PORT, which `add` must not be given: the
  // port would become part of a name no Host header matches.
  static bool namesAPort(const std::string& name);

 private:
  std::set<std::string> names_;
};
