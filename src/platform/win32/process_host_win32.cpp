#include "platform/win32/process_host_win32.h"

#include <windows.h>

#include <csignal>

#include <shellapi.h>

#include <algorithm>

#include "platform/win32/wide.h"

namespace velmora::platform {
namespace {

class MutexLock final : public HeldLock {
 public:
  explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}
  ~MutexLock() override { CloseHandle(mutex_); }

 private:
  HANDLE mutex_;
};

bool writeBytes(HANDLE out, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!WriteFile(out, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool writeConsole(HANDLE console, std::wstring_view text) {
  while (!text.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size(), 8192));
    DWORD written = 0;
    if (!WriteConsoleW(console, text.data(), chunk, &written, nullptr) || written == 0) return false;
    text.remove_prefix(written);
  }
  return true;
}

}  // namespace

Win32ProcessHost::~Win32ProcessHost() {
  if (console_ != nullptr && console_ != INVALID_HANDLE_VALUE) CloseHandle(static_cast<HANDLE>(console_));
}

std::vector<std::string> Win32ProcessHost::arguments() const {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* split = CommandLineToArgvW(GetCommandLineW(), &count);
  if (split == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(win32::narrowName(split[i]));
  LocalFree(split);
  return arguments;
}

bool Win32ProcessHost::writeToStarter(std::string_view utf8) {
  // A program of the GUI subsystem gets the output handle its starter gave it
  // (cmd.exe hands on a pipe for "| more" and a file for "> out.txt"); the text
  // goes there as UTF-8 bytes.
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE) {
    const DWORD type = GetFileType(out);
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) return writeBytes(out, utf8);
  }
  // Otherwise the console of the process that started it, if it has one. The
  // console does not wait for a GUI program, so its prompt may already stand
  // there: the text begins on a line of its own.
  if (!consoleTried_) {
    consoleTried_ = true;
    if (AttachConsole(ATTACH_PARENT_PROCESS) || GetLastError() == ERROR_ACCESS_DENIED)
      console_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
    else
      console_ = INVALID_HANDLE_VALUE;
    if (console_ != INVALID_HANDLE_VALUE) writeConsole(static_cast<HANDLE>(console_), L"\r\n");
  }
  if (console_ == INVALID_HANDLE_VALUE) return false;
  return writeConsole(static_cast<HANDLE>(console_), win32::widen(utf8));
}

std::unique_ptr<HeldLock> Win32ProcessHost::tryLock(std::string_view name) {
  const std::wstring fullName = L"Global\\" + win32::widen(name);
  HANDLE mutex = CreateMutexW(nullptr, FALSE, fullName.c_str());
  // A mutex another user made refuses this one access: it is held all the same.
  // Any other failure is taken as held too, so that two runs never overlap.
  if (mutex == nullptr) return nullptr;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return nullptr;
  }
  return std::make_unique<MutexLock>(mutex);
}

std::chrono::milliseconds Win32ProcessHost::tickCount() const {
  return std::chrono::milliseconds(GetTickCount64());
}

LocalTime Win32ProcessHost::localTime() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

namespace {

// The exit code of a run that aborts; set before the handler can run.
UINT abortExitCode = 0;

// abort() raises SIGABRT before it shows the C runtime's "Runtime Error" box:
// ending the process here keeps the box from waiting for someone to close it.
extern "C" void endWithoutBox(int) { ExitProcess(abortExitCode); }

}  // namespace

void Win32ProcessHost::showNoErrorBoxes(int exitCode) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  abortExitCode = static_cast<UINT>(exitCode);
  std::signal(SIGABRT, endWithoutBox);
}

}  // namespace velmora::platform
