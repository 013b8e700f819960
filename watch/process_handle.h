// Owns at most one process handle; opening again or resetting closes it.
#pragma once
#include <windows.h>

class ProcessHandle {
  public:
    ProcessHandle() = default;
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    ~ProcessHandle() { reset(); }

    void reset(HANDLE handle = nullptr) {
        if (handle_)
            CloseHandle(handle_);
        handle_ = handle;
    }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_ = nullptr;
};
