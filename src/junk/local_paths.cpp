#include "junk/local_paths.h"

#include <string>

namespace velmora::junk {

bool LocalDrivePaths::mayOpen(std::string_view path) {
  // "\\server\share\..." and its extended forms "\\?\UNC\..." and "\\?\C:\...":
  // only the plain drive form is opened.
  if (path.starts_with("\\\\") || path.starts_with("//")) return false;
  if (path.size() < 3 || path[1] != ':' || (path[2] != '\\' && path[2] != '/')) return false;
  char letter = path[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return false;
  std::optional<platform::DriveType>& type = driveTypes_[static_cast<std::size_t>(letter - 'A')];
  if (!type) type = drives_.getDriveType(std::string(1, letter) + ":\\");
  return *type != platform::DriveType::remote && *type != platform::DriveType::noRootDirectory &&
         *type != platform::DriveType::unknown;
}

}  // namespace velmora::junk
