#include "platform/extended_path.h"

#include <vector>

namespace velmora::platform {
namespace {

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Splits a path tail at its separators and resolves "." and "..", dropping empty
// components; the first `fixed` components (a UNC server and share) are never
// dropped by "..".
std::vector<std::string_view> resolveComponents(std::string_view tail, std::size_t fixed) {
  std::vector<std::string_view> kept;
  std::size_t start = 0;
  while (start <= tail.size()) {
    std::size_t end = tail.find('\\', start);
    if (end == std::string_view::npos) end = tail.size();
    std::string_view part = tail.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (kept.size() > fixed) kept.pop_back();
      continue;
    }
    kept.push_back(part);
  }
  return kept;
}

std::string join(std::string prefix, const std::vector<std::string_view>& parts, std::size_t from) {
  for (std::size_t i = from; i < parts.size(); ++i) {
    if (i > from) prefix += '\\';
    prefix += parts[i];
  }
  return prefix;
}

}  // namespace

std::optional<std::string> extendedLengthPath(std::string_view path) {
  if (path.starts_with("\\\\?\\") || path.starts_with("\\\\.\\")) return std::string(path);

  std::string slashed(path);
  for (char& c : slashed)
    if (c == '/') c = '\\';
  const bool trailingSeparator = !slashed.empty() && slashed.back() == '\\';

  std::string result;
  if (slashed.size() >= 3 && isDriveLetter(slashed[0]) && slashed[1] == ':' && slashed[2] == '\\') {
    auto parts = resolveComponents(std::string_view(slashed).substr(3), 0);
    result = join("\\\\?\\" + slashed.substr(0, 3), parts, 0);
    if (trailingSeparator && !parts.empty()) result += '\\';
    return result;
  }
  if (slashed.starts_with("\\\\")) {
    auto parts = resolveComponents(std::string_view(slashed).substr(2), 2);
    if (parts.size() < 2) return std::nullopt;
    result = join("\\\\?\\UNC\\", parts, 0);
    if (trailingSeparator) result += '\\';
    return result;
  }
  return std::nullopt;
}

}  // namespace velmora::platform
