// Text conversion at the program's edges, from several threads at once: the
// sync server lists its folder (and so converts file names) on one thread
// per client.
#include "os/text.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(TextConversionTest, ThreadsConvertingAtOnceGetTheirOwnResults) {
  const std::string cp932 = "\x94\xd4\x91\x67\x95\x5c 12/07";  // 番組表 12/07
  const std::string utf8 = os::cp932ToUtf8(cp932);
  ASSERT_EQ(cp932, os::utf8ToCp932(utf8));
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 20000; ++i) {
        if (os::cp932ToUtf8(cp932) != utf8 || os::utf8ToCp932(utf8) != cp932) ++wrong;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(0, wrong.load());
}

}  // namespace
