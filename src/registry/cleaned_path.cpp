#include "registry/cleaned_path.h"

#include <algorithm>

namespace velmora::registry {

std::string withoutQuotes(std::string_view text) {
  std::string result(text);
  std::erase(result, '"');
  return result;
}

std::string withoutSurroundingBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

void cutBeforeLastOf(std::string& text, std::string_view pair, std::string_view set) {
  if (text.find(pair) == std::string::npos) return;
  text.resize(text.find_last_of(set));
}

std::string cleanedServerPath(std::string_view command) {
  std::string path = withoutQuotes(command);
  cutBeforeLastOf(path, " /", " /");
  cutBeforeLastOf(path, " -", " -");
  return path;
}

std::string cleanedCachePath(std::string_view name) {
  std::string path = cleanedServerPath(name);
  if (path.find(".exe") != std::string::npos) {
    // The last of these letters is at worst the "e" that ends ".exe" itself.
    const std::size_t last = path.find_last_of(".ex");
    path.resize(std::min(path.size(), last + 1 + 4));
  }
  return path;
}

}  // namespace velmora::registry
