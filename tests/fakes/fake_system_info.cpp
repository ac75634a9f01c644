#include "fakes/fake_system_info.h"

#include <algorithm>

#include "common/text_lines.h"
#include "platform/utf8.h"

namespace velmora::fakes {
namespace {

// text when it fits a buffer of the given number of UTF-16 characters together with
// its terminating zero; nothing otherwise.
std::optional<std::string> fitting(const std::optional<std::string>& text, std::size_t bufferChars) {
  if (!text) return std::nullopt;
  const std::optional<std::size_t> length = platform::utf8::utf16Length(*text);
  if (!length || *length >= bufferChars) return std::nullopt;
  return text;
}

}  // namespace

std::optional<std::string> FakeSystemInfo::computerName() const {
  return fitting(computer, kNameBufferChars);
}

std::optional<std::string> FakeSystemInfo::userName() const { return fitting(user, kNameBufferChars); }

std::optional<std::string> FakeSystemInfo::windowsDirectory() const {
  // GetWindowsDirectory reports failure as a length of 0, so an empty folder fails.
  if (windowsFolder && windowsFolder->empty()) return std::nullopt;
  return fitting(windowsFolder, kFolderBufferChars);
}

std::optional<std::string> FakeSystemInfo::systemDirectory() const {
  if (systemFolder && systemFolder->empty()) return std::nullopt;
  return fitting(systemFolder, kFolderBufferChars);
}

std::optional<std::string> FakeSystemInfo::expandEnvironmentStrings(const std::string& text) const {
  std::string result;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find('%', at);
    const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) break;
    const std::string name = text.substr(open + 1, close - open - 1);
    const auto variable = std::find_if(environment.begin(), environment.end(), [&name](const auto& entry) {
      return text::asciiLower(entry.first) == text::asciiLower(name);
    });
    result += text.substr(at, open - at);
    if (name.empty() || variable == environment.end()) {
      // Not a reference: the first % stays, and the second may open one.
      result += '%';
      at = open + 1;
      continue;
    }
    result += variable->second;
    at = close + 1;
  }
  return result + text.substr(std::min(at, text.size()));
}

std::string FakeSystemInfo::errorText(std::uint32_t error) const {
  const auto known = errorTexts.find(error);
  return known != errorTexts.end() ? known->second : "Error " + std::to_string(error);
}

}  // namespace velmora::fakes
