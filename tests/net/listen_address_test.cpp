// What --listen takes, and why a listen fails.
#include "net/listen_address.h"

#include <gtest/gtest.h>

#include "os/socket.h"

namespace {

TEST(ListenAddressTest, TakesWhatPeopleTypeAndRefusesShortNumericForms) {
  std::string canonical;
  const bool ipv6 = os::ipv6Address("::1", canonical);
  struct Case {
    const char* typed;
    const char* numeric;  // nullptr: refused
    bool loopbackOnly;
    bool needsIpv6;
  };
  const Case cases[] = {
      {"127.0.0.1", "127.0.0.1", true, false},
      {"0.0.0.0", "0.0.0.0", false, false},
      {"192.168.1.20", "192.168.1.20", false, false},
      {"localhost", "127.0.0.1", true, false},
      {"0", nullptr, false, false},          // 0.0.0.0 to the old readers
      {"127.1", nullptr, false, false},      // 127.0.0.1
      {"0x7f.1", nullptr, false, false},
      {"2130706433", nullptr, false, false},
      {"192.168.010.1", nullptr, false, false},  // octal 8 to the old readers
      {"256.1.1.1", nullptr, false, false},
      {"1.2.3.4.5", nullptr, false, false},
      {"", nullptr, false, false},
      {"::1", "::1", true, true},
      {"[::1]", "::1", true, true},
      {"0:0::1", "::1", true, true},
      {"::", "::", false, true},
      {"::g", nullptr, false, true},
  };
  for (const Case& c : cases) {
    if (c.needsIpv6 && !ipv6) continue;
    ListenAddress address;
    std::string failure;
    const bool taken = readListenAddress(c.typed, address, failure);
    EXPECT_EQ(c.numeric != nullptr, taken) << c.typed << ": " << failure;
    if (!taken) {
      EXPECT_FALSE(failure.empty()) << c.typed;
      continue;
    }
    EXPECT_EQ(c.numeric, address.numeric) << c.typed;
    EXPECT_EQ(c.loopbackOnly, address.loopbackOnly) << c.typed;
  }
  EXPECT_EQ("[::1]:80", addressWithPort("::1", 80));
  EXPECT_EQ("127.0.0.1:80", addressWithPort("127.0.0.1", 80));
}

TEST(ListenAddressTest, AListenFailureSaysWhy) {
  std::string failure;
  const os::SocketHandle first = os::listenTcp("127.0.0.1", 0, 8, &failure);
  ASSERT_NE(os::kNoSocket, first) << failure;
  EXPECT_EQ(os::kNoSocket, os::listenTcp("127.0.0.1", os::boundPort(first), 8, &failure));
  EXPECT_EQ("Address already in use", failure);
  os::closeSocket(first);
  EXPECT_EQ(os::kNoSocket, os::listenTcp("127.1", 0, 8, &failure));
  std::string canonical;
  if (os::ipv6Address("::1", canonical)) {
    const os::SocketHandle v6 = os::listenTcp("::1", 0, 8, &failure);
    ASSERT_NE(os::kNoSocket, v6) << failure;
    EXPECT_LT(0, os::boundPort(v6));
    EXPECT_EQ("::1", os::localAddress(v6));
    os::closeSocket(v6);
  }
}

}  // namespace
