#include "platform/registry_view.h"

#include "common/text_lines.h"

namespace velmora::platform {

std::string pathInView(RegKey root, std::string_view subKey, RegSam access) {
  if (root != HKEY_LOCAL_MACHINE || (access & KEY_WOW64_32KEY) == 0) return std::string(subKey);
  const std::size_t end = subKey.find('\\');
  const std::string_view first = subKey.substr(0, end);
  if (text::asciiLower(first) != "software") return std::string(subKey);
  std::string path(first);
  path += "\\WOW6432Node";
  if (end != std::string_view::npos) path += subKey.substr(end);
  return path;
}

}  // namespace velmora::platform
