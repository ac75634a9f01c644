#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/drives.h"
#include "platform/file_system.h"

namespace velmora::registry {

// What the system said about a path that a registry entry names.
enum class Presence {
  present,
  missing,  // Not there, or the wrong kind: a folder where a file is named, or the reverse.
  unknown,  // Nothing certain: the entry is never reported.
};

// The registry checks' tests of whether a file or folder named in the registry is
// still there. A registry entry is only reported when its target is missing for
// certain, because what is reported is deleted: a path counts as missing only
// when the lookup fails with "file not found" or "path not found" on a fixed drive
// that is there now. A refused lookup (a folder the user may not list, such as the
// one that holds store apps), a drive letter whose root is absent (an unplugged
// USB disk), a removable, optical or network drive, a path that is not a full
// drive path, and every other error leave the path unknown. A path is looked up
// as Windows reads it in its usual form, without the blanks and dots that end its
// last name.
//
// One object serves one scan: the answers for drives and paths are kept for the
// scan, since thousands of classes name the same few libraries.
class PathPresence {
 public:
  PathPresence(platform::FileSystem& files, platform::Drives& drives) : files_(files), drives_(drives) {}

  // A file: present when a search for the path finds an entry that is not a folder
  // (wildcards match as the search matches them; the first entry found counts).
  Presence file(std::string_view path);
  // A folder: present when the path's attributes have the directory bit.
  Presence directory(std::string_view path);

 private:
  // Whether the path lies on a fixed drive whose root is there now.
  bool onPresentFixedDrive(std::string_view path);
  static Presence fromError(platform::FileError error);

  platform::FileSystem& files_;
  platform::Drives& drives_;
  std::array<std::optional<bool>, 26> fixedDrives_;
  std::unordered_map<std::string, Presence> fileAnswers_;
  std::unordered_map<std::string, Presence> folderAnswers_;
};

}  // namespace velmora::registry
