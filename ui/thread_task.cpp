// The thread wrapper on the runtime library's thread start.
#include "ui/thread_task.h"

#include <process.h>

ThreadTask::~ThreadTask() {
  if (handle_ != nullptr) CloseHandle(handle_);
}

unsigned __stdcall ThreadTask::threadEntry(void* task) {
  ThreadTask* self = static_cast<ThreadTask*>(task);
  self->exitCode_ = self->run();
  return static_cast<unsigned>(self->exitCode_);
}

bool ThreadTask::start() {
  uintptr_t handle = _beginthreadex(nullptr, 0, threadEntry, this, 0, &threadId_);
  handle_ = reinterpret_cast<HANDLE>(handle);
  return handle_ != nullptr;
}

bool ThreadTask::wait() {
  if (handle_ == nullptr) return true;
  if (WaitForSingleObject(handle_, INFINITE) != WAIT_OBJECT_0) return false;
  DWORD code = 0;
  GetExitCodeThread(handle_, &code);
  exitCode_ = static_cast<int>(code);
  CloseHandle(handle_);
  handle_ = nullptr;
  return true;
}
