// How soon the Settings window shows, measured on the real program under Wine by
// bench/run-settings-open-bench:
//   bench_settings_open_win32.exe [STARTS [OPENINGS [off]]]   (5 starts, 9 openings)
// Each start runs a fresh copy of the program; Ctrl+O is typed into its main
// window and the time taken until the Settings window is visible is measured by
// polling from just before the keys go, the first opening of the start apart from
// the later ones (medians). With "off", the Task Scheduler service is switched off
// for the run; a message box that comes before the window is answered with Enter
// and counted.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_figures.h"
#include "program_controls.h"
#include "program_copy.h"
#include "program_process.h"
#include "task_scheduler_service.h"

namespace {

using namespace velmora::e2e;
using velmora::bench::Clock;
using velmora::bench::median;
using velmora::bench::secondsSince;
using namespace std::chrono_literals;

constexpr const wchar_t* kMainCaption = L"Velmora Disk Cleaner 1.3";

struct Opening {
  double seconds = 0;
  bool boxFirst = false;
};

// A message box of the program: a dialog-class window captioned with its title.
HWND messageBoxOf(DWORD processId) {
  HWND found = nullptr;
  while ((found = FindWindowExW(nullptr, found, L"#32770", kMainCaption)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(found, &owner);
    if (owner == processId && IsWindowVisible(found)) return found;
  }
  return nullptr;
}

Opening openSettings(const ProgramProcess& program, HWND mainWindow) {
  Opening opening;
  const DWORD processId = GetProcessId(program.handle());
  const auto start = Clock::now();
  if (!typeCtrlKey(mainWindow, 'O')) throw std::runtime_error("Ctrl+O could not be typed");
  for (;;) {
    if (program.waitForWindow(L"Settings", 0ms, 1ms)) break;
    if (HWND box = messageBoxOf(processId)) {
      opening.boxFirst = true;
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    if (secondsSince(start) > 30) throw std::runtime_error("no Settings window within 30 s");
    Sleep(1);
  }
  opening.seconds = secondsSince(start);
  HWND settings = program.waitForWindow(L"Settings", 1s, 1ms);
  // Ok, as a user leaves the window; a Task Scheduler that is still being read
  // keeps the task as it is.
  PostMessageW(settings, WM_CLOSE, 0, 0);
  if (!waitUntil([&] { return !IsWindowVisible(settings); }, 30s))
    throw std::runtime_error("the Settings window does not close");
  return opening;
}

}  // namespace

int main(int argc, char** argv) {
  const int starts = argc > 1 ? std::atoi(argv[1]) : 5;
  const int openings = argc > 2 ? std::atoi(argv[2]) : 9;
  const bool schedulerOff = argc > 3 && std::strcmp(argv[3], "off") == 0;
  try {
    std::unique_ptr<TaskSchedulerOff> off;
    if (schedulerOff) {
      off = std::make_unique<TaskSchedulerOff>();
      if (!off->failure().empty()) throw std::runtime_error(off->failure());
    }
    ProgramCopy copy;
    copy.writeEarlierRunSettings();
    std::vector<double> first, later;
    int boxes = 0;
    for (int round = 0; round < starts + 1; ++round) {
      ProgramProcess program(copy.exePath());
      HWND window = program.started() ? program.waitForWindow(kMainCaption, 60s) : nullptr;
      if (!window) throw std::runtime_error("the program did not start");
      // Start-up's own work after the first paint is over before the keys go.
      sendTo(window, WM_NULL);
      Sleep(500);
      for (int i = 0; i < openings; ++i) {
        const Opening opening = openSettings(program, window);
        // The first start warms the prefix and the program's files; it is not counted.
        if (round == 0) continue;
        boxes += opening.boxFirst;
        (i == 0 ? first : later).push_back(opening.seconds);
      }
      PostMessageW(window, WM_CLOSE, 0, 0);
      if (!program.waitForExit(30s)) throw std::runtime_error("the program did not end");
    }
    std::printf("Settings %s: first opening %.0f ms (median of %d starts), later openings %.0f ms (median of %zu)",
                schedulerOff ? "with Task Scheduler off" : "with Task Scheduler running", median(first) * 1000,
                starts, median(later) * 1000, later.size());
    std::printf(", message boxes before the window: %d\n", boxes);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_settings_open: %s\n", e.what());
    return 1;
  }
}
