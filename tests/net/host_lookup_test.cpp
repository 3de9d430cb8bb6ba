// How a host name becomes an address: dotted numbers as they stand, names
// through the resolver, and a name it cannot give an address for.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "net/http_client.h"
#include "os/socket.h"
#include "tests/support/loopback_http_server.h"

namespace {

// A label over 63 bytes: the resolver refuses it itself, no query leaves.
const std::string kUnresolvable = std::string(64, 'a') + ".invalid";

TEST(HostLookup, DottedNumbersAreTakenAsTheyStandAndABadNameGivesNothing) {
  for (const char* numeric : {"127.0.0.1", "10.1.2.3"}) {
    std::uint32_t address = 0;
    ASSERT_TRUE(os::resolveIPv4(numeric, address));
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&address);
    EXPECT_EQ(numeric, std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." +
                           std::to_string(bytes[2]) + "." + std::to_string(bytes[3]));
  }
  std::uint32_t address = 0;
  EXPECT_FALSE(os::resolveIPv4(kUnresolvable, address));
}

class RecordingObserver : public TransferObserver {
 public:
  bool onConnect(const std::string&, int) override { return true; }
  bool onHeaders(const HttpResponse&) override { return true; }
  bool onBodyStart(int) override { return true; }
  bool onByte(int) override { return true; }
  bool onShortBody(int) override { return false; }
  bool onError(const std::string& message) override {
    errors += message;
    return true;
  }
  bool onComplete() override { return true; }
  std::string errors;
};

TEST(HostLookup, AServerNameThatDoesNotResolveIsAConnectFailure) {
  LoopbackHttpServer server;
  HttpClient client;
  client.setServer(kUnresolvable, server.port());
  RecordingObserver observer;
  EXPECT_FALSE(client.transact("/p", observer));
  EXPECT_EQ("\x90\xda\x91\xb1\x8e\xb8\x94\x73\x81\x49", observer.errors);  // 接続失敗！
  EXPECT_TRUE(server.requests().empty());
}

}  // namespace
