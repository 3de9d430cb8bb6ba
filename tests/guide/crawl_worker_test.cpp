// The crawl's second thread: its tasks run in order, and all of them.
#include <gtest/gtest.h>

#include <vector>

#include "guide/crawl_worker.h"

namespace {

TEST(CrawlWorkerTest, RunsEveryTaskInOrderBeforeItIsGone) {
  std::vector<int> done;
  {
    CrawlWorker worker;
    for (int task = 0; task < 50; ++task) worker.post([&done, task] { done.push_back(task); });
  }
  ASSERT_EQ(50u, done.size());
  for (int task = 0; task < 50; ++task) EXPECT_EQ(task, done[task]);
}

}  // namespace
