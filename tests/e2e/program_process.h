#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

namespace velmora::e2e {

// Path of the program built beside the tests, as a Windows path.
std::wstring programExePath();

// UTF-8 to UTF-16 for the tests' own Win32 calls.
std::wstring widen(const std::string& text);

// One started instance of the real program. The destructor ends it if a test left
// it running, so that a failed test never leaves a process behind.
class ProgramProcess {
 public:
  explicit ProgramProcess(const std::wstring& exePath);
  ~ProgramProcess();
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  bool started() const { return process_ != nullptr; }
  HANDLE handle() const { return process_; }
  DWORD startError() const { return startError_; }

  // Waits, polling, for a visible top-level window of this process with the given
  // caption. Returns null when none appeared within the limit.
  HWND waitForWindow(const std::wstring& caption, std::chrono::milliseconds limit,
                     std::chrono::milliseconds poll = std::chrono::milliseconds(100)) const;

  // Waits for the process to end; the exit code, or nothing when it is still running.
  std::optional<DWORD> waitForExit(std::chrono::milliseconds limit) const;

 private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  DWORD startError_ = 0;
};

// Imports a registry file as a user restores a backup, with the system's registry
// editor ("regedit /s"); whether it ran and succeeded within a minute.
bool importWithRegedit(const std::wstring& file);

}  // namespace velmora::e2e
