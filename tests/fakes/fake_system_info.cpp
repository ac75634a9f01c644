#include "fakes/fake_system_info.h"

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
  // Each "%name%" of a variable that is set, its name in any case; the rest as it is.
  std::string result = text;
  for (const auto& [name, value] : environment) {
    const std::string reference = text::asciiLower("%" + name + "%");
    for (std::size_t at = text::asciiLower(result).find(reference); at != std::string::npos;
         at = text::asciiLower(result).find(reference, at + value.size()))
      result.replace(at, reference.size(), value);
  }
  return result;
}

std::string FakeSystemInfo::errorText(std::uint32_t error) const {
  const auto known = errorTexts.find(error);
  return known != errorTexts.end() ? known->second : "Error " + std::to_string(error);
}

}  // namespace velmora::fakes
