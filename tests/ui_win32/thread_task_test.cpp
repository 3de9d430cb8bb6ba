// The thread wrapper: start, join, exit code, and the cases without a thread.
#include "ui/thread_task.h"

#include <gtest/gtest.h>

#include <atomic>
#include <new>

namespace {

class CountingTask : public ThreadTask {
 public:
  int run() override {
    ranOn = GetCurrentThreadId();
    return 42;
  }
  std::atomic<DWORD> ranOn{0};
};

TEST(ThreadTaskTest, WaitWithoutAThreadIsAtOnceTrue) {
  CountingTask task;
  EXPECT_TRUE(task.wait());
  EXPECT_FALSE(task.ownsThread());
}

TEST(ThreadTaskTest, RunsOnItsOwnThreadAndHandsBackTheResult) {
  CountingTask task;
  ASSERT_TRUE(task.start());
  EXPECT_TRUE(task.ownsThread());
  ASSERT_TRUE(task.wait());
  EXPECT_FALSE(task.ownsThread());
  EXPECT_EQ(42, task.exitCode());
  EXPECT_NE(GetCurrentThreadId(), task.ranOn.load());
  EXPECT_EQ(task.threadId(), task.ranOn.load());
  EXPECT_TRUE(task.wait());  // nothing left to join
}

std::atomic<bool> heldTaskEntered{false};
std::atomic<bool> heldTaskReleased{false};

class HeldTask : public ThreadTask {
 public:
  int run() override {
    heldTaskEntered = true;
    while (!heldTaskReleased) Sleep(1);
    return 7;
  }
};

TEST(ThreadTaskTest, DestroyingTheTaskOnlyClosesTheHandle) {
  // The task's memory stays in place after its destruction, because the
  // thread still stores its exit code there when it ends.
  alignas(HeldTask) static unsigned char storage[sizeof(HeldTask)];
  HeldTask* task = new (storage) HeldTask;
  ASSERT_TRUE(task->start());
  HANDLE own = OpenThread(SYNCHRONIZE, FALSE, task->threadId());
  ASSERT_NE(nullptr, own);
  while (!heldTaskEntered) Sleep(1);
  task->~HeldTask();  // must not wait for the thread
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(own, 0));
  heldTaskReleased = true;
  EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(own, 5000));
  CloseHandle(own);
}

}  // namespace
