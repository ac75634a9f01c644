#include "settings/folders.h"


namespace velmora::settings {

std::string folderPart(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string_view::npos) return {};
  return std::string(path.substr(0, slash + 1));
}

std::string findProfileFolder(platform::Shell& shell) {
  std::optional<std::string> profile = shell.folderPath(platform::csidl::profile);
  if (!profile || profile->empty()) return {};
  if (!profile->ends_with('\\')) *profile += '\\';
  return *profile;
}

}  // namespace velmora::settings
