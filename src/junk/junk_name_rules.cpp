#include "junk/junk_name_rules.h"

#include <algorithm>

namespace velmora::junk {

std::string_view extensionOf(std::string_view fileName) {
  auto dot = fileName.rfind('.');
  return dot == std::string_view::npos ? std::string_view{} : fileName.substr(dot + 1);
}

JunkPatterns::JunkPatterns(const std::vector<std::string>& checkedPatterns) {
  for (const auto& pattern : checkedPatterns) {
    auto dot = pattern.find('.');
    std::string extension = dot == std::string::npos ? pattern : pattern.substr(dot + 1);
    // An empty line left in the catalogue by hand editing (or a pattern such as
    // "*.") would otherwise make every file without an extension junk on every
    // checked drive: hosts, LICENSE, Makefile. It stays a row and compares only
    // as a whole name, which no file of an empty name has.
    if (!extension.empty() && extension != "db") extensions_.push_back(std::move(extension));
    names_.push_back(pattern);
  }
  std::sort(extensions_.begin(), extensions_.end());
  std::sort(names_.begin(), names_.end());
}

bool JunkPatterns::matches(std::string_view fileName) const {
  const std::string_view e = extensionOf(fileName);
  if (e.size() >= 1 && e[0] == '~') return true;
  if (e.size() >= 3 && e[2] == '~') return true;
  if (e.size() >= 2 && (e[1] == '^' || e[1] == '$')) return true;
  if (std::binary_search(extensions_.begin(), extensions_.end(), e)) return true;
  return std::binary_search(names_.begin(), names_.end(), fileName);
}

bool hasShortcutExtension(std::string_view fileName) {
  const auto dot = fileName.rfind('.');
  return dot != std::string_view::npos && fileName.substr(dot) == ".lnk";
}

}  // namespace velmora::junk
