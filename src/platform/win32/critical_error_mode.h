#pragma once

#include <windows.h>

namespace velmora::platform::win32 {

// Switches the calling thread's critical-error dialogs off while it lives ("There
// is no disk in the drive", "Cannot open file"), so that a call on a drive without
// a medium or a missing network share fails with an error code instead of waiting
// for someone to answer a dialog. The thread's own mode (SetThreadErrorMode) is used
// rather than the process-wide SetErrorMode, so that a scan on a worker and a call
// on the user-interface thread cannot restore each other's mode too early.
class CriticalErrorDialogsOff {
 public:
  CriticalErrorDialogsOff() {
    SetThreadErrorMode(GetThreadErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_);
  }
  ~CriticalErrorDialogsOff() { SetThreadErrorMode(previous_, nullptr); }

  CriticalErrorDialogsOff(const CriticalErrorDialogsOff&) = delete;
  CriticalErrorDialogsOff& operator=(const CriticalErrorDialogsOff&) = delete;

 private:
  DWORD previous_ = 0;
};

}  // namespace velmora::platform::win32
