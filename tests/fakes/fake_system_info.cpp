#include "fakes/fake_system_info.h"

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

}  // namespace velmora::fakes
