#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/process_host.h"
#include "platform/services.h"

namespace velmora::unattended {

// What the program is asked to do by its command line.
enum class CommandMode {
  window,   // No switch: the main window.
  usage,    // /? : the usage text.
  clean,    // /auto : find the junk with the remembered choices and delete it.
  preview,  // /preview : find the same junk and delete nothing.
  invalid,  // An unknown switch, or both /auto and /preview.
};

// The exit codes of a run from the command line, which scripts rely on.
enum ExitCode : int {
  kExitDone = 0,            // Every file found deleted, nothing found, a preview or the usage.
  kExitBadArguments = 1,    // An unknown switch, or both /auto and /preview.
  kExitCannotStart = 2,     // Nothing safe to run with (see the usage text), or an error stopped the run.
  kExitSomeNotDeleted = 3,  // Some files found could not be deleted, or the report misses its end.
};

struct CommandRequest {
  CommandMode mode = CommandMode::window;
  std::string problem;  // Why the command line is invalid.
};

// Reads the arguments after the program's name. A switch begins with "/" or "-",
// and its letter case does not matter; "/?" wins over the others, and an unknown
// switch or an argument that is no switch makes the whole line invalid.
CommandRequest readCommandLine(const std::vector<std::string>& arguments);

// The usage text, with its lines ended by CR LF: broken to fit width characters
// (a console's 80 columns, less one so that no line runs into the next), or not
// broken at all for 0, for a message box to break to its own width.
inline constexpr std::size_t kConsoleWidth = 79;
std::string usageText(std::size_t width);

// What the command line came to: the program's exit code, or nothing when the
// window is to open. With showUsage, the usage text could not be written to a
// console and is for the caller to show in a message box: /? was asked by a
// person, who should see it.
struct CommandOutcome {
  std::optional<int> exitCode;
  bool showUsage = false;
};

// Does what the arguments ask without any window: writes the usage, refuses a
// wrong command line (to the console, never in a box that a scheduled run would
// wait on forever), or runs /auto or /preview. exePath is where the program lies;
// nothing when it cannot be found, which stops a run.
CommandOutcome runCommandLine(const std::vector<std::string>& arguments, platform::Services& services,
                              platform::ProcessHost& host, const std::optional<std::string>& exePath);

}  // namespace velmora::unattended
