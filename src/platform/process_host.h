#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// What the program learns from and gives to whoever started it when it runs from
// the command line: its arguments, the console it was started from, a lock that
// one run at a time holds across the machine, the local time its report is named
// by and the clock it measures its length by.
namespace velmora::platform {

// The local date and time (GetLocalTime).
struct LocalTime {
  int year = 0;
  int month = 0;  // 1-12.
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Held while it lives; released when it goes (or the process ends).
class HeldLock {
 public:
  virtual ~HeldLock() = default;
};

class ProcessHost {
 public:
  virtual ~ProcessHost() = default;

  // The arguments after the program's own name, split as the C runtime splits a
  // command line (CommandLineToArgvW of GetCommandLineW), in UTF-8.
  virtual std::vector<std::string> arguments() const = 0;

  // Writes text to where the starter reads the program's output: the output
  // handle it was given (a pipe or a file, as with "| more" or "> out.txt"), or
  // else the console of the process that started it (AttachConsole with
  // ATTACH_PARENT_PROCESS). False when there is neither, as when started from the
  // desktop or by the Task Scheduler.
  virtual bool writeToStarter(std::string_view utf8) = 0;

  // Takes the machine-wide lock of that name (a named mutex in the global
  // namespace, so that a run in another session counts as well); nothing when
  // another process holds it.
  virtual std::unique_ptr<HeldLock> tryLock(std::string_view name) = 0;

  virtual LocalTime localTime() const = 0;

  // The time since the system started (GetTickCount64): a clock that only moves
  // on, whatever the user or the time zone does to the local time, for a run to
  // measure how long it has gone on.
  virtual std::chrono::milliseconds tickCount() const = 0;

  // Lets no box of the system wait for an answer for the rest of the process: no
  // critical-error box ("There is no disk in the drive"), no box when the program
  // fails (SetErrorMode with SEM_FAILCRITICALERRORS, SEM_NOGPFAULTERRORBOX and
  // SEM_NOOPENFILEERRORBOX), and no "Runtime Error" box of the C runtime when it
  // aborts: the process then ends at once with abortExitCode. For a run that
  // nobody watches, which may be in session 0.
  virtual void showNoErrorBoxes(int abortExitCode) = 0;
};

}  // namespace velmora::platform
