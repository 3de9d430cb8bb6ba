// How a host name becomes an address: dotted numbers as they stand, names
// through the resolver, and a name it cannot give an address for.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "os/socket.h"

namespace {

TEST(HostLookup, DottedNumbersAreTakenAsTheyStandAndABadNameGivesNothing) {
  for (const char* numeric : {"127.0.0.1", "10.1.2.3"}) {
    std::uint32_t address = 0;
    ASSERT_TRUE(os::resolveIPv4(numeric, address));
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&address);
    EXPECT_EQ(numeric, std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." +
                           std::to_string(bytes[2]) + "." + std::to_string(bytes[3]));
  }
  std::uint32_t address = 0;
  // A label over 63 bytes: the resolver refuses it itself, no query leaves.
  EXPECT_FALSE(os::resolveIPv4(std::string(64, 'a') + ".invalid", address));
}

}  // namespace
