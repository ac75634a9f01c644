#include "junk/broken_shortcuts.h"

#include <string>

namespace velmora::junk {

bool BrokenShortcuts::isBroken(std::string_view shortcutPath) {
  const std::optional<std::string> target = shell_.shortcutTarget(shortcutPath);
  if (!target || !mayLookUp(*target)) return false;
  const platform::FileError error = files_.getFileAttributes(*target).error;
  return error == platform::FileError::fileNotFound || error == platform::FileError::pathNotFound;
}

bool BrokenShortcuts::mayLookUp(std::string_view target) {
  // "\\server\share\..." and its extended forms "\\?\UNC\..." and "\\?\C:\...":
  // only the plain drive form is looked up.
  if (target.starts_with("\\\\") || target.starts_with("//")) return false;
  if (target.size() < 3 || target[1] != ':' || (target[2] != '\\' && target[2] != '/')) return false;
  char letter = target[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return false;
  std::optional<platform::DriveType>& type = driveTypes_[static_cast<std::size_t>(letter - 'A')];
  if (!type) type = drives_.getDriveType(std::string(1, letter) + ":\\");
  return *type != platform::DriveType::remote && *type != platform::DriveType::noRootDirectory &&
         *type != platform::DriveType::unknown;
}

}  // namespace velmora::junk
