#pragma once

#include "platform/text_encoding.h"

namespace velmora::fakes {

// Text encodings in portable code. UTF-8 and UTF-16 follow the Unicode rules, which
// is what Windows accepts; the ANSI code page is 1252 (Western European) unless a
// test asks for 1251 (Cyrillic) to stand for a Russian system. Both tables map the
// bytes that the code page leaves undefined as Windows does, to the C1 control of
// the same number. The contract suite compares both tables with Windows, byte by
// byte.
class FakeTextEncoding final : public platform::TextEncoding {
 public:
  static constexpr unsigned kWesternCodePage = 1252;

  // ansiCodePage is 1252 or 1251; any other throws std::invalid_argument.
  explicit FakeTextEncoding(unsigned ansiCodePage = kWesternCodePage);

  std::optional<std::u16string> utf8ToUtf16(std::string_view utf8) const override;
  std::optional<std::string> utf16ToUtf8(std::u16string_view utf16) const override;
  bool isValidUtf8(std::string_view text) const override;
  unsigned ansiCodePage() const override;
  std::string ansiToUtf8(std::string_view bytes) const override;
  std::string cp1251ToUtf8(std::string_view bytes) const override;

 private:
  unsigned ansiCodePage_;
};

}  // namespace velmora::fakes
