#include "settings/folders.h"

#include "registry/registry_object.h"

namespace velmora::settings {

std::string folderPart(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string_view::npos) return {};
  return std::string(path.substr(0, slash + 1));
}

std::string findProfileFolder(platform::RegistryStore& registry) {
  constexpr const char* kShellFolders =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  registry::TRegistry reg(registry);
  reg.SetRoot(platform::HKEY_CURRENT_USER);
  if (!reg.HasKey(kShellFolders) || !reg.Open(kShellFolders, false)) return {};
  std::string cookies;
  try {
    cookies = reg.ReadText("Cookies");
  } catch (const registry::ERegistryException&) {
    // A value of another type, or one that cannot be read, tells nothing about the
    // profile; the program starts without a profile folder, as it does when the
    // value is missing, instead of failing to start.
  }
  return folderPart(cookies);
}

}  // namespace velmora::settings
