#pragma once

#include <string_view>

#include "junk/local_paths.h"
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
// A target that may not be opened (LocalDrivePaths: a network path or drive, a
// drive letter that does not exist) counts as there without being looked up.
//
// Each shortcut costs at most one lookup of its target; a drive's type is asked
// once per scan.
class BrokenShortcuts {
 public:
  BrokenShortcuts(platform::Shell& shell, platform::FileSystem& files, platform::Drives& drives)
      : shell_(shell), files_(files), localPaths_(drives) {}

  bool isBroken(std::string_view shortcutPath);

 private:
  platform::Shell& shell_;
  platform::FileSystem& files_;
  LocalDrivePaths localPaths_;
};

}  // namespace velmora::junk
