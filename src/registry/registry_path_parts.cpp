#include "registry/registry_path_parts.h"

namespace velmora::registry {

using namespace platform;

namespace {

constexpr std::string_view kSeparators = "\\/";

}  // namespace

RegKey RegGetRoot(std::string_view path) {
  struct RootName {
    std::string_view name;
    RegKey key;
  };
  static constexpr RootName kRoots[] = {
      {"HKLM", HKEY_LOCAL_MACHINE}, {"HKCU", HKEY_CURRENT_USER},     {"HKCR", HKEY_CLASSES_ROOT},
      {"HKU", HKEY_USERS},          {"HKPD", HKEY_PERFORMANCE_DATA}, {"HKCC", HKEY_CURRENT_CONFIG},
      {"HKDD", HKEY_DYN_DATA},
  };
  // The first four characters, cut at a NUL, upper-cased. Root names are ASCII, so
  // upper-casing ASCII letters is all a UTF-8 path needs: no other character can
  // become one of them.
  std::string head(path.substr(0, 4));
  if (const auto nul = head.find('\0'); nul != std::string::npos) head.resize(nul);
  for (char& c : head) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  for (const RootName& root : kRoots) {
    if (std::string_view(head).starts_with(root.name)) return root.key;
  }
  return RegKey{};
}

std::string RegValueName(std::string_view path) {
  const auto last = path.find_last_of(kSeparators);
  return last == std::string_view::npos ? std::string() : std::string(path.substr(last + 1));
}

std::string RegKeyPath(std::string_view path) {
  const auto first = path.find_first_of(kSeparators);
  const auto last = path.find_last_of(kSeparators);
  if (first == std::string_view::npos || first == last) return {};
  return std::string(path.substr(first + 1, last - first - 1));
}

}  // namespace velmora::registry
