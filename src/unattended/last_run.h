#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/services.h"

// What the newest report of a run from the command line says, for the Settings
// window to show under the schedule.
namespace velmora::unattended {

struct LastRun {
  std::string started;  // "YYYY-MM-DD HH:MM:SS", as the report says it.
  std::string exitCode;
  std::string path;     // The report's full path.
};

// The newest "clean-YYYYMMDD-HHMMSS.txt" (or "-2", "-3" of a later run in the same
// second) in the report folders beside the
// program and in the user's local application data; nothing when there is none
// or it cannot be read. A report still being written (no exit code yet) gives
// "?" for it.
std::optional<LastRun> findLastRun(platform::Services& services, std::string_view programFolder);

// template with "%1" for the start, "%2" for the exit code and "%3" for the
// report's path.
std::string lastRunText(std::string_view pattern, const LastRun& run);

}  // namespace velmora::unattended
