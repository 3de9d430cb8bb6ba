// ThreadTask: a thread whose body is the virtual `run`. The owner calls
// `start` once and `wait` once, both from the owning thread; after a
// successful `wait` the exit code is valid and no handle is held.
#pragma once

#include <windows.h>

class ThreadTask {
 public:
  ThreadTask() = default;
  ThreadTask(const ThreadTask&) = delete;
  ThreadTask& operator=(const ThreadTask&) = delete;
  // Closes a handle still owned; does not wait for the thread.
  virtual ~ThreadTask();
  // The thread's body; its result becomes the exit code.
  virtual int run() = 0;

  // Starts the thread at once. False leaves no thread and no handle.
  bool start();
  // Joins the thread. True at once when no thread is owned; false (keeping
  // the handle) when the wait fails.
  bool wait();

  bool ownsThread() const { return handle_ != nullptr; }
  int exitCode() const { return exitCode_; }
  unsigned threadId() const { return threadId_; }

 private:
  static unsigned __stdcall threadEntry(void* task);

  unsigned threadId_ = 0;
  HANDLE handle_ = nullptr;
  int exitCode_ = 0;
};
