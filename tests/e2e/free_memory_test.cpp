// Freeing memory in the real program: the Free Memory window opened from the
// Options menu with its figures refreshed every second, and the tray menu's
// Free Ram committing, filling and releasing real memory.
#include <windows.h>

#include <gtest/gtest.h>
#include <psapi.h>

#include <cstring>
#include <iostream>
#include <string>

#include "png_screenshot.h"
#include "running_program.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;

constexpr SIZE_T kMiB = SIZE_T{1} << 20;
// The tray icon's window and the message the notification area sends it (the
// widget layer's kTrayMessage).
constexpr const wchar_t* kTrayWindowClass = L"VelmoraTray";
constexpr UINT kTrayMessage = WM_APP + 3;

PROCESS_MEMORY_COUNTERS countersOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  K32GetProcessMemoryInfo(process, &counters, sizeof counters);
  return counters;
}

TEST(FreeMemory, TheFiguresFollowTheMachineAndFreeRamFreesRealMemory) {
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  RunningProgram program(copy);
  HWND window = program.window();
  HWND dialog = program.open(MenuCommand::freeMemory, L"Free Memory");
  HWND total = labelBeside(dialog, L"RAM total:");
  HWND free = labelBeside(dialog, L"RAM free:");
  ASSERT_NE(total, nullptr);
  ASSERT_NE(free, nullptr);

  // The program and the test measure the same machine, with more than 4 GiB
  // here, so the figures are the full 64-bit ones.
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  ASSERT_TRUE(GlobalMemoryStatusEx(&status));
  const std::wstring totalText = std::to_wstring(status.ullTotalPhys >> 20) + L" Mb";
  // Right after start the first tick may still be due, and on a loaded machine
  // the window's timer comes late; the wait ends as soon as the figure is there.
  EXPECT_TRUE(waitUntil([&] { return windowText(total) == totalText; }, 20s))
      << ::testing::PrintToString(windowText(total)) << " instead of " << ::testing::PrintToString(totalText);
  const std::wstring before = windowText(free);
  EXPECT_TRUE(before.ends_with(L"%)")) << before;

  // The test takes half a gigabyte of the machine's memory; the free figure
  // follows within a tick or two.
  void* ballast = VirtualAlloc(nullptr, 512 * kMiB, MEM_COMMIT, PAGE_READWRITE);
  ASSERT_NE(ballast, nullptr);
  std::memset(ballast, 1, 512 * kMiB);
  EXPECT_TRUE(waitUntil([&] { return windowText(free) != before; }, 20s))
      << "the free figure stayed " << ::testing::PrintToString(before);
  VirtualFree(ballast, 0, MEM_RELEASE);
  int colours = 0;
  EXPECT_TRUE(saveWindowPng(dialog, L"free_memory", colours));
  EXPECT_GT(colours, 8) << "the capture shows a drawn window, not a blank area";

  program.closeWith(dialog, L"&Abort");

  // Free Ram from the tray menu. The window now holds the stored 64 megabytes,
  // less than the free figure, so the whole memory is freed: 1024 blocks of a
  // megabyte, each written in full, then released.
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  ASSERT_NE(process, nullptr);
  const PROCESS_MEMORY_COUNTERS start = countersOf(process);
  HWND tray = FindWindowW(kTrayWindowClass, nullptr);
  ASSERT_NE(tray, nullptr) << "no tray icon window";
  PostMessageW(tray, kTrayMessage, 1, WM_RBUTTONDOWN);
  ASSERT_TRUE(waitUntil([] { return IsWindowVisible(FindWindowW(L"#32768", nullptr)); }, 10s))
      << "the tray menu did not open";
  // Restore, then Free Ram.
  ASSERT_TRUE(typeKeys(window, {VK_DOWN, VK_DOWN, VK_RETURN}));
  EXPECT_TRUE(waitUntil(
      [&] { return countersOf(process).PeakWorkingSetSize >= start.PeakWorkingSetSize + 64 * kMiB; }, 60s))
      << "the program's memory never grew by 64 MiB";
  // The freeing runs on the UI thread: once the program answers, it is over.
  sendTo(window, WM_NULL);
  const PROCESS_MEMORY_COUNTERS end = countersOf(process);
  EXPECT_LT(end.WorkingSetSize, start.WorkingSetSize + 64 * kMiB) << "the blocks were not released";
  std::cout << "working set before " << start.WorkingSetSize / kMiB << " MiB, peak "
            << end.PeakWorkingSetSize / kMiB << " MiB, after " << end.WorkingSetSize / kMiB << " MiB\n";
  CloseHandle(process);

  program.close();
}

}  // namespace
}  // namespace velmora::e2e
