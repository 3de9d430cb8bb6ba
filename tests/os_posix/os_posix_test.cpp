// The POSIX side of os/ where it meets things Windows does not have: signals
// during a connect, pipes and symbolic links among the files served.
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "os/os.h"
#include "os/socket.h"
#include "tests/support/temp_folder.h"

namespace {

std::atomic<int> signalsSeen{0};
std::atomic<bool> handlerReleased{false};

// Holds the interrupted thread until the test lets it go, so that the
// connection can complete in the meantime.
void holdInHandler(int) {
  ++signalsSeen;
  while (!handlerReleased) {
    timespec pause = {0, 1000000};
    nanosleep(&pause, nullptr);
  }
}

TEST(OsPosixTest, AConnectInterruptedByASignalIsWaitedFor) {
  // Without SA_RESTART the signal breaks the connect off with EINTR.
  struct sigaction action = {};
  action.sa_handler = holdInHandler;
  struct sigaction previous;
  ASSERT_EQ(sigaction(SIGUSR1, &action, &previous), 0);

  // A listener whose queue (of one) is full leaves the next connect pending.
  os::SocketHandle listener = os::listenTcp("127.0.0.1", 0, 0);
  ASSERT_NE(listener, os::kNoSocket);
  std::uint32_t loopback;
  ASSERT_TRUE(os::resolveIPv4("127.0.0.1", loopback));
  std::uint16_t port = os::networkPort(os::boundPort(listener));
  os::SocketHandle filler = os::openTcpSocket();
  ASSERT_TRUE(os::connectSocket(filler, loopback, port));

  os::SocketHandle pending = os::openTcpSocket();
  std::atomic<bool> calling{false};
  bool connected = false;
  std::thread connecting([&] {
    calling = true;
    connected = os::connectSocket(pending, loopback, port);
  });
  while (!calling) std::this_thread::yield();
  os::sleepMilliseconds(200);  // into the connect, which waits for a SYN retry
  pthread_kill(connecting.native_handle(), SIGUSR1);
  // Room in the queue: the connection completes while its thread is held in
  // the handler; calling connect again afterwards would fail (EISCONN or
  // EALREADY) although the connection stands.
  os::closeSocket(os::acceptConnection(listener));
  os::SocketHandle accepted = os::waitReadable(listener, 5000) > 0 ? os::acceptConnection(listener) : os::kNoSocket;
  handlerReleased = true;
  connecting.join();
  EXPECT_EQ(signalsSeen.load(), 1);
  EXPECT_NE(accepted, os::kNoSocket);
  EXPECT_TRUE(connected);

  os::closeSocket(accepted);
  os::closeSocket(filler);
  os::closeSocket(pending);
  os::closeSocket(listener);
  sigaction(SIGUSR1, &previous, nullptr);
}

TEST(OsPosixTest, OnlyRegularFilesOfTheirOwnOpenForServing) {
  TempFolder folder;
  ASSERT_TRUE(writeWholeFile(folder.file("plain"), "x"));
  std::filesystem::create_symlink(folder.file("plain"), folder.file("link"));
  ASSERT_EQ(mkfifo(folder.file("pipe").c_str(), 0600), 0);  // an open would wait for a writer
  std::filesystem::create_directory(folder.file("folder"));
  // A hard link makes any file of the system look like one of the folder's.
  ASSERT_TRUE(writeWholeFile(folder.file("elsewhere"), "secret"));
  std::filesystem::create_hard_link(folder.file("elsewhere"), folder.file("hard"));
  struct Case { const char* name; bool regular, served; } cases[] = {
      {"plain", true, true},    {"link", false, false},    {"pipe", false, false},
      {"folder", false, false}, {"missing", false, false}, {"hard", true, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.regular, os::isRegularFile(folder.file(c.name))) << c.name;
    os::FileHandle file = os::openRegularFileForRead(folder.file(c.name));
    EXPECT_EQ(c.served, file != os::kNoFile) << c.name;
    if (file != os::kNoFile) os::closeFile(file);
  }
}

TEST(OsPosixTest, AFileWrittenIsNeverReachedThroughALinkPlantedInItsPlace) {
  TempFolder folder;
  ASSERT_TRUE(writeWholeFile(folder.file("target"), "kept"));
  std::filesystem::create_symlink(folder.file("target"), folder.file("120617tb.htm"));
  for (auto create : {os::createFileForWrite, os::createPrivateFileForWrite}) {
    EXPECT_EQ(os::kNoFile, create(folder.file("120617tb.htm")));
  }
  EXPECT_EQ("kept", readWholeFile(folder.file("target")));
}

}  // namespace
