#include "junk/broken_shortcuts.h"

#include <string>

namespace velmora::junk {

bool BrokenShortcuts::isBroken(std::string_view shortcutPath) {
  const std::optional<std::string> target = shell_.shortcutTarget(shortcutPath);
  if (!target || !localPaths_.mayOpen(*target)) return false;
  const platform::FileError error = files_.getFileAttributes(*target).error;
  return error == platform::FileError::fileNotFound || error == platform::FileError::pathNotFound;
}

}  // namespace velmora::junk
