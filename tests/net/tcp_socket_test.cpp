// TcpSocket against listeners on 127.0.0.1 that the tests open themselves.
#include "net/tcp_socket.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/loopback_listener.h"

namespace {
const int kReadTimeout = 2000;  // a loaded machine still answers within it
const int kSilentTimeout = 200;

// A client connected to a fresh listener, and the server's end of it.
struct ConnectedPair {
  LoopbackListener listener;
  TcpSocket client{kReadTimeout};
  TcpSocket server{kReadTimeout};
  ConnectedPair() {
    EXPECT_EQ(client.openAndConnect("127.0.0.1", listener.port()), 1);
    server.adopt(listener.acceptWithin(2000));
    EXPECT_TRUE(server.isOpen());
  }
};
}  // namespace

TEST(TcpSocketTest, CarriesBytesBothWaysAndSeesThePeerClose) {
  ConnectedPair pair;
  ASSERT_EQ(pair.client.write("ping", 4), 4);
  char buffer[16] = {};
  ASSERT_EQ(pair.server.read(buffer, sizeof buffer), 4);
  EXPECT_EQ(std::string(buffer, 4), "ping");
  EXPECT_EQ(pair.server.write("", 0), 0);
  ASSERT_EQ(pair.server.write("pong", 4), 4);
  EXPECT_TRUE(pair.server.close());
  EXPECT_EQ(pair.client.read(buffer, sizeof buffer), 4);
  EXPECT_EQ(pair.client.read(buffer, sizeof buffer), 0);
}

// Bytes received ahead of small reads come out in order, then the close.
TEST(TcpSocketTest, SmallReadsTakeWhatArrivedInOrder) {
  ConnectedPair pair;
  std::string sent;
  for (int i = 0; i < 3000; ++i) sent += static_cast<char>('a' + i % 26);
  ASSERT_EQ(pair.client.write(sent.data(), 3000), 3000);
  ASSERT_TRUE(pair.client.close());
  std::string received;
  char buffer[100];
  for (int got; (got = pair.server.read(buffer, sizeof buffer)) > 0;) {
    ASSERT_LE(got, 100);
    received.append(buffer, static_cast<std::size_t>(got));
  }
  EXPECT_EQ(sent, received);
  EXPECT_EQ(pair.server.read(buffer, sizeof buffer), 0);
}

// A frame that began in an earlier receive comes whole once it is all there,
// as it does from a single receive.
TEST(TcpSocketTest, AReadTakesTheRestOfAFrameThatArrivedLater) {
  ConnectedPair pair;
  ASSERT_EQ(pair.client.write("AB", 2), 2);
  char buffer[8] = {};
  ASSERT_EQ(pair.server.read(buffer, 1), 1);
  ASSERT_EQ(pair.client.write("CDEF", 4), 4);
  ASSERT_EQ(pair.server.read(buffer, 5), 5);
  EXPECT_EQ(std::string(buffer, 5), "BCDEF");
}

TEST(TcpSocketTest, ReadFromASilentPeerTimesOut) {
  LoopbackListener listener;
  TcpSocket client(kSilentTimeout);
  ASSERT_EQ(client.openAndConnect("127.0.0.1", listener.port()), 1);
  TcpSocket server;
  server.adopt(listener.acceptWithin(2000));
  char buffer[16];
  EXPECT_EQ(client.read(buffer, sizeof buffer), -1);
}

TEST(TcpSocketTest, OpensOnceUntilClosed) {
  LoopbackListener listener;
  TcpSocket socket(kReadTimeout);
  EXPECT_TRUE(socket.close());  // never opened
  ASSERT_TRUE(socket.open());
  EXPECT_FALSE(socket.open());
  EXPECT_TRUE(socket.connectTo("127.0.0.1", listener.port()));  // the first handle stayed
  EXPECT_TRUE(socket.close());
  EXPECT_FALSE(socket.isOpen());
  EXPECT_EQ(socket.read(nullptr, 0), -1);
  EXPECT_EQ(socket.openAndConnect("127.0.0.1", listener.port()), 1);
}

TEST(TcpSocketTest, ConnectToAClosedPortFailsAndLeavesTheSocketOpen) {
  int port;
  {
    LoopbackListener gone;
    port = gone.port();
  }
  TcpSocket socket(kReadTimeout);
  EXPECT_EQ(socket.openAndConnect("127.0.0.1", port), 0);
  EXPECT_TRUE(socket.isOpen());
  EXPECT_FALSE(socket.open());
}

TEST(TcpSocketTest, AnEmptyHostNamesNoMachine) {
  // Windows would otherwise resolve "" to this machine and connect to it.
  LoopbackListener listener;
  TcpSocket socket(kReadTimeout);
  ASSERT_TRUE(socket.open());
  EXPECT_FALSE(socket.connectTo("", listener.port()));
}

TEST(TcpSocketTest, WriteToAClosedPeerFailsWithoutKillingTheProcess) {
  ConnectedPair pair;
  pair.server.close();
  std::string block(65536, 'x');
  int result = 0;
  for (int i = 0; i < 64 && result >= 0; ++i)
    result = pair.client.write(block.data(), static_cast<int>(block.size()));
  EXPECT_EQ(result, -1);
}

TEST(LoopbackListenerTest, PicksAFreePortAndAcceptsNothingUnasked) {
  LoopbackListener listener;
  ASSERT_TRUE(listener.isListening());
  EXPECT_GT(listener.port(), 0);
  EXPECT_EQ(listener.acceptWithin(10), os::kNoSocket);
}
