#pragma once

#include "platform/text_encoding.h"

namespace velmora::platform {

// Text encodings with MultiByteToWideChar, WideCharToMultiByte and GetACP. Safe to
// use from any thread.
class Win32TextEncoding final : public TextEncoding {
 public:
  std::optional<std::u16string> utf8ToUtf16(std::string_view utf8) const override;
  std::optional<std::string> utf16ToUtf8(std::u16string_view utf16) const override;
  bool isValidUtf8(std::string_view text) const override;
  unsigned ansiCodePage() const override;
  std::string ansiToUtf8(std::string_view bytes) const override;
  std::string cp1251ToUtf8(std::string_view bytes) const override;
};

}  // namespace velmora::platform
