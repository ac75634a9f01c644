#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "platform/drives.h"

namespace velmora::junk {

// Whether a path found in a file the user or another program wrote (a shortcut's
// target, a profile folder in a browser's list) may be opened at all: only the
// plain drive form "X:\..." on a drive letter that exists and is not a network
// drive. A network path ("\\server\share\...", "\\?\UNC\...") or a mapped drive
// would stall the scan for the network's time-out, and a path planted to point at
// an outside server would make the program authenticate to it; a drive letter that
// does not exist may be a disk that is not attached.
//
// A drive's type is asked once for the object's life.
class LocalDrivePaths {
 public:
  explicit LocalDrivePaths(platform::Drives& drives) : drives_(drives) {}

  bool mayOpen(std::string_view path);

 private:
  platform::Drives& drives_;
  std::array<std::optional<platform::DriveType>, 26> driveTypes_{};
};

}  // namespace velmora::junk
