#include "program_process.h"

#include <thread>

namespace velmora::e2e {

std::wstring widen(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::wstring programExePath() {
  // The build tree is on Linux; Wine shows the Linux root as drive Z:.
  std::wstring path = L"Z:" + widen(VELMORA_PROGRAM_EXE);
  for (auto& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

ProgramProcess::ProgramProcess(const std::wstring& exePath) {
  std::wstring commandLine = L"\"" + exePath + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    startError_ = GetLastError();
    return;
  }
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  processId_ = pi.dwProcessId;
}

ProgramProcess::~ProgramProcess() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 10000);
  }
  CloseHandle(process_);
}

namespace {
struct WindowSearch {
  DWORD processId;
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t text[512];
  GetWindowTextW(hwnd, text, 512);
  if (*search->caption != text) return TRUE;
  search->found = hwnd;
  return FALSE;
}
}  // namespace

HWND ProgramProcess::waitForWindow(const std::wstring& caption, std::chrono::milliseconds limit,
                                   std::chrono::milliseconds poll) const {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  do {
    WindowSearch search{processId_, &caption, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (WaitForSingleObject(process_, 0) == WAIT_OBJECT_0) return nullptr;
    std::this_thread::sleep_for(poll);
  } while (std::chrono::steady_clock::now() < deadline);
  return nullptr;
}

std::optional<DWORD> ProgramProcess::waitForExit(std::chrono::milliseconds limit) const {
  if (WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

bool importWithRegedit(const std::wstring& file) {
  std::wstring command = L"regedit.exe /s \"" + file + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  DWORD code = 1;
  const bool done = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0 &&
                    GetExitCodeProcess(process.hProcess, &code) && code == 0;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return done;
}

}  // namespace velmora::e2e
