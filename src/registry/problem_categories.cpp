#include "registry/problem_categories.h"

#include "platform/registry_view.h"

namespace velmora::registry {

std::optional<platform::RegKey> rootOfText(std::string_view text) {
  if (text == kClassesRootText) return platform::HKEY_CLASSES_ROOT;
  if (text == kCurrentUserText) return platform::HKEY_CURRENT_USER;
  if (text == kLocalMachineText) return platform::HKEY_LOCAL_MACHINE;
  return std::nullopt;
}

std::string in32BitView(std::string_view key) {
  return platform::pathInView(platform::HKEY_LOCAL_MACHINE, key, platform::KEY_WOW64_32KEY);
}

std::string_view textOfHive(platform::RegKey hive) {
  return hive == platform::HKEY_CURRENT_USER ? kCurrentUserText : kLocalMachineText;
}

}  // namespace velmora::registry
