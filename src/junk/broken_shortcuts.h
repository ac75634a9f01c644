#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace velmora::junk {

// The broken-shortcut test of one scan. A shortcut is broken only when the system
// says its target is not there (file or path not found): a cleaner that guesses
// deletes what is still in use. So a shortcut to an existing folder (the "Links"
// folder, Start-menu folder shortcuts) is live; a shortcut whose file cannot be
// loaded (a damaged file, too long a path) or that names no file-system path is
// not broken, as the program cannot tell; a target refused for another reason
// (access denied, a drive without its medium) is not broken either.
//
// A target on a network path (\\server\share\...) or a network drive counts as
// there without being looked up: the lookup would stall the scan for the
// network's time-out, and a shortcut planted to point at an outside server would
// make the program authenticate to it. Nor is a target on a drive letter that does
// not exist looked up or taken as missing: it may be a disk that is not attached.
//
// Each shortcut costs at most one lookup of its target; a drive's type is asked
// once per scan.
class BrokenShortcuts {
 public:
  BrokenShortcuts(platform::Shell& shell, platform::FileSystem& files, platform::Drives& drives)
      : shell_(shell), files_(files), drives_(drives) {}

  bool isBroken(std::string_view shortcutPath);

 private:
  // Whether a target may be looked up at all: not on a network, nor on a drive
  // letter that does not exist.
  bool mayLookUp(std::string_view target);

  platform::Shell& shell_;
  platform::FileSystem& files_;
  platform::Drives& drives_;
  std::array<std::optional<platform::DriveType>, 26> driveTypes_{};
};

}  // namespace velmora::junk
