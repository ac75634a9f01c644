#pragma once

#include <optional>
#include <string>
#include <string_view>

// Text encodings: the program's UTF-8 against UTF-16, the system's ANSI code page
// and code page 1251, as the Windows conversion functions (MultiByteToWideChar,
// WideCharToMultiByte, GetACP) give them. Texts read from older files arrive in the
// ANSI code page; a few fixed texts are kept in code page 1251; everything inside
// the program is UTF-8.
namespace velmora::platform {

class TextEncoding {
 public:
  // The code page Windows calls "ANSI 1251": Cyrillic.
  static constexpr unsigned kCyrillicCodePage = 1251;

  virtual ~TextEncoding() = default;

  // MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS): the UTF-16 form of utf8, or
  // nothing when utf8 is not well-formed (a stray or missing continuation byte, an
  // overlong form, an encoded surrogate, a value above U+10FFFF). The empty text
  // converts to the empty text.
  virtual std::optional<std::u16string> utf8ToUtf16(std::string_view utf8) const = 0;

  // WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS): the UTF-8 form of utf16, or
  // nothing when it holds an unpaired surrogate.
  virtual std::optional<std::string> utf16ToUtf8(std::u16string_view utf16) const = 0;

  // Whether text is well-formed UTF-8, by the same rule as utf8ToUtf16.
  virtual bool isValidUtf8(std::string_view text) const = 0;

  // GetACP: the number of the system's ANSI code page (1252 on Western European
  // systems, 1251 on Russian ones).
  virtual unsigned ansiCodePage() const = 0;

  // MultiByteToWideChar(CP_ACP, 0), then UTF-8: bytes in the system's ANSI code page.
  // Every byte string converts; bytes the code page leaves undefined come out as
  // Windows maps them (in 1252 and 1251, as the C1 control of the same number).
  virtual std::string ansiToUtf8(std::string_view bytes) const = 0;

  // As ansiToUtf8, with code page 1251 whatever the system's page is.
  virtual std::string cp1251ToUtf8(std::string_view bytes) const = 0;
};

}  // namespace velmora::platform
