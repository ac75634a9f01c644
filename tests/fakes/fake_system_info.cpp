#include "fakes/fake_system_info.h"

#include <algorithm>
#include <new>

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

std::optional<std::string> FakeSystemInfo::userName() const {
  if (userNameThrows) throw std::bad_alloc();
  return fitting(user, kNameBufferChars);
}

std::optional<std::string> FakeSystemInfo::windowsDirectory() const {
  // GetWindowsDirectory reports failure as a length of 0, so an empty folder fails.
  if (windowsFolder && windowsFolder->empty()) return std::nullopt;
  return fitting(windowsFolder, kFolderBufferChars);
}

std::optional<std::string> FakeSystemInfo::systemDirectory() const {
  if (systemFolder && systemFolder->empty()) return std::nullopt;
  return fitting(systemFolder, kFolderBufferChars);
}

std::optional<std::string> FakeSystemInfo::expandEnvironment(std::string_view text) const {
  std::string out;
  while (!text.empty()) {
    const std::size_t open = text.find('%');
    const std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
    if (close == std::string_view::npos) break;
    // Names are matched without regard to letter case, as Windows matches them.
    const std::string name = text::asciiLower(text.substr(open + 1, close - open - 1));
    const auto value = std::find_if(environment.begin(), environment.end(), [&name](const auto& entry) {
      return text::asciiLower(entry.first) == name;
    });
    out.append(text.substr(0, open));
    if (value == environment.end()) {
      // An unset name stays, and its closing "%" may open the next one.
      out.append(text.substr(open, close - open));
      text.remove_prefix(close);
    } else {
      out.append(value->second);
      text.remove_prefix(close + 1);
    }
  }
  return out.append(text);
}

std::optional<std::string> FakeSystemInfo::formatMessage(std::uint32_t code, std::uint16_t languageId) const {
  const auto known = messageTexts.find({code, languageId != 0 ? languageId : installedLanguage});
  if (known == messageTexts.end()) return std::nullopt;
  return known->second;
}

}  // namespace velmora::fakes
