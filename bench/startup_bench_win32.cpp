// Start-up of the program against a bare window program, run under Wine by
// bench/run-startup-bench:
//   bench_startup_win32.exe [STARTS [EXE]]        (nine of each by default)
// EXE, another build of the program in a folder of its own with its data and
// language folders, is started in place of a copy of this build's program (the
// settings file beside it is written as below): an earlier build measured in the
// same run as this one.
// The two are started alternately, STARTS times each after one uncounted start of
// each that warms the prefix and the files. A watcher thread polls the top-level
// windows every millisecond from before the launch until the program's window is
// visible; the time from launch to that sighting is what a user waits for. Each
// start closes its window and waits for the process to end before the next.
// The program runs from a copy of its folder whose settings file is one an
// earlier run leaves (language chosen, no first-start question, no update check
// at start), so no dialog or network request comes before the main window.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench_figures.h"
#include "program_copy.h"
#include "program_process.h"

namespace {

using velmora::bench::Clock;
using velmora::bench::median;

constexpr const wchar_t* kProgramCaption = L"Velmora Disk Cleaner 1.3";
constexpr const wchar_t* kBareCaption = L"Velmora bare window";

struct Sighting {
  const wchar_t* caption;
  HWND window = nullptr;
};

BOOL CALLBACK matchVisible(HWND window, LPARAM param) {
  auto* sighting = reinterpret_cast<Sighting*>(param);
  wchar_t text[128];
  if (!IsWindowVisible(window) || !GetWindowTextW(window, text, 128) || wcscmp(text, sighting->caption) != 0)
    return TRUE;
  sighting->window = window;
  return FALSE;
}

HWND visibleWindow(const wchar_t* caption) {
  Sighting sighting{caption};
  EnumWindows(matchVisible, reinterpret_cast<LPARAM>(&sighting));
  return sighting.window;
}

// One start: the watcher is polling before the process is created.
struct StartTimes {
  double shown = 0;      // launch to the window visible
  double answering = 0;  // launch to the visible window answering a sent message
};

StartTimes startOnce(const std::wstring& exe, const wchar_t* caption) {
  if (visibleWindow(caption)) throw std::runtime_error("a window of an earlier start is still there");
  std::atomic<bool> watching{true};
  std::atomic<HWND> seen{nullptr};
  Clock::time_point seenAt;
  std::thread watcher([&] {
    while (watching) {
      if (HWND window = visibleWindow(caption)) {
        seenAt = Clock::now();
        seen = window;
        return;
      }
      Sleep(1);
    }
  });
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const Clock::time_point launch = Clock::now();
  const bool created = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                      nullptr, &startup, &process);
  for (int waited = 0; created && !seen && waited < 60000; waited += 1) {
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  watching = false;
  watcher.join();
  if (!created) throw std::runtime_error("cannot start a program");
  CloseHandle(process.hThread);
  StartTimes times;
  if (HWND window = seen) {
    times.shown = std::chrono::duration<double>(seenAt - launch).count();
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
    times.answering = std::chrono::duration<double>(Clock::now() - launch).count();
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hProcess);
  if (!seen) throw std::runtime_error("no visible window within 60 s");
  if (!ended) throw std::runtime_error("the program did not end after WM_CLOSE");
  return times;
}

std::wstring besideThisBenchmark(const wchar_t* name) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path(exe);
  return path.substr(0, path.rfind(L'\\') + 1) + name;
}

}  // namespace

int main(int argc, char** argv) {
  const int starts = argc > 1 ? std::atoi(argv[1]) : 9;
  if (starts < 1 || argc > 3) {
    std::fprintf(stderr, "usage: bench_startup_win32 [STARTS [EXE]]\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  try {
    velmora::e2e::ProgramCopy copy;
    copy.writeEarlierRunSettings();
    std::wstring program = copy.exePath();
    if (argc > 2) {
      program = velmora::e2e::widen(argv[2]);
      CopyFileW(copy.settingsPath().c_str(),
                (program.substr(0, program.rfind(L'.')) + L".ini").c_str(), FALSE);
    }
    const std::wstring bare = besideThisBenchmark(L"bench_bare_window_win32.exe");
    std::vector<double> programShown, programAnswering, bareShown, bareAnswering;
    for (int round = 0; round <= starts; ++round) {
      const StartTimes bareTimes = startOnce(bare, kBareCaption);
      const StartTimes programTimes = startOnce(program, kProgramCaption);
      std::printf("start %d: bare window %.0f ms, program %.0f ms%s\n", round, bareTimes.shown * 1000,
                  programTimes.shown * 1000, round == 0 ? " (warm-up, not counted)" : "");
      if (round == 0) continue;
      bareShown.push_back(bareTimes.shown);
      bareAnswering.push_back(bareTimes.answering);
      programShown.push_back(programTimes.shown);
      programAnswering.push_back(programTimes.answering);
    }
    std::printf("bare window: visible after %.0f ms, answering after %.0f ms (medians of %d)\n",
                median(bareShown) * 1000, median(bareAnswering) * 1000, starts);
    std::printf("program: main window visible after %.0f ms, answering after %.0f ms (medians of %d)\n",
                median(programShown) * 1000, median(programAnswering) * 1000, starts);
    std::printf("program / bare window: %.2f (visible), %.2f (answering)\n",
                median(programShown) / median(bareShown), median(programAnswering) / median(bareAnswering));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_startup_win32: %s\n", error.what());
    return 1;
  }
  return 0;
}
