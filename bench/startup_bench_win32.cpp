// Start-up of the program against a bare window program, run under Wine by
// bench/run-startup-bench:
//   bench_startup_win32.exe [STARTS [EXE]]        (nine of each by default)
// EXE, another build of the program in a folder of its own with its data and
// language folders, is started as a third after each start of this build's
// program (the settings file beside it is written as below): an earlier build
// measured in the same run as this one.
// The two are started in turn, STARTS times each after one uncounted start of
// each that warms the prefix and the files. A watcher thread polls the top-level
// windows every millisecond from before the launch until the program's window is
// visible; the time from launch to that sighting is what a user waits for. Each
// start closes its window and waits for the process to end before the next.
// Beside the medians: the fastest start of each, which a busy machine disturbs
// least.
// The program runs from a copy of its folder whose settings file is one an
// earlier run leaves (language chosen, no first-start question, no update check
// at start), so no dialog or network request comes before the main window.
#include <windows.h>

#include <algorithm>
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

// The medians of a series of starts, and its fastest start: on a busy machine the
// fastest is the one least held up by other processes.
struct Figures {
  explicit Figures(const std::vector<StartTimes>& times) {
    std::vector<double> shownTimes, answeringTimes;
    for (const StartTimes& t : times) {
      shownTimes.push_back(t.shown);
      answeringTimes.push_back(t.answering);
    }
    shown = median(shownTimes);
    answering = median(answeringTimes);
    fastest = *std::min_element(shownTimes.begin(), shownTimes.end());
  }
  void print(const char* what, int starts) const {
    std::printf("%s: visible after %.0f ms, answering after %.0f ms (medians of %d); fastest start %.0f ms\n",
                what, shown * 1000, answering * 1000, starts, fastest * 1000);
  }
  double shown, answering, fastest;
};

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
    struct Contender {
      const char* name;
      std::wstring exe;
      std::vector<StartTimes> times;
    };
    std::vector<Contender> contenders{{"bare window", besideThisBenchmark(L"bench_bare_window_win32.exe"), {}},
                                      {"program", copy.exePath(), {}}};
    if (argc > 2) {
      const std::wstring earlier = velmora::e2e::widen(argv[2]);
      CopyFileW(copy.settingsPath().c_str(), (earlier.substr(0, earlier.rfind(L'.')) + L".ini").c_str(), FALSE);
      contenders.push_back({"earlier build", earlier, {}});
    }
    for (int round = 0; round <= starts; ++round) {
      std::printf("start %d:", round);
      for (Contender& contender : contenders) {
        const StartTimes times =
            startOnce(contender.exe, &contender == &contenders[0] ? kBareCaption : kProgramCaption);
        std::printf(" %s %.0f ms,", contender.name, times.shown * 1000);
        if (round > 0) contender.times.push_back(times);
      }
      std::printf("%s\n", round == 0 ? " (warm-up, not counted)" : "");
    }
    const Figures bare(contenders[0].times);
    bare.print(contenders[0].name, starts);
    for (std::size_t i = 1; i < contenders.size(); ++i) {
      const Figures program(contenders[i].times);
      program.print(contenders[i].name, starts);
      std::printf("%s / bare window: %.2f (visible), %.2f (answering); fastest starts %.2f\n", contenders[i].name,
                  program.shown / bare.shown, program.answering / bare.answering, program.fastest / bare.fastest);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_startup_win32: %s\n", error.what());
    return 1;
  }
  return 0;
}
