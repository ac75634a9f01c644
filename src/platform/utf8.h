#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8 and UTF-16 by the Unicode rules, in portable code: what the fakes convert
// with, and what text files are checked and repaired with before the system's code
// page is asked. The strict conversions accept exactly what the Windows conversions
// accept with their "invalid characters fail" flags, which the text-encoding contract
// suite checks against Windows.
namespace velmora::platform::utf8 {

// True when text is well-formed UTF-8: no stray continuation bytes, no truncated,
// overlong or surrogate sequences, nothing above U+10FFFF. The empty text is valid.
bool isValid(std::string_view text);

// UTF-8 to UTF-16; nothing when text is not well-formed UTF-8.
std::optional<std::u16string> toUtf16(std::string_view text);

// UTF-16 to UTF-8; nothing when text holds an unpaired surrogate.
std::optional<std::string> fromUtf16(std::u16string_view text);

// UTF-16 to UTF-8 where every unpaired surrogate becomes U+FFFD, for text that
// must be shown even when it is damaged.
std::string fromUtf16Lossy(std::u16string_view text);

// text with each ill-formed part replaced by U+FFFD, one replacement for each
// maximal part that could have begun a sequence (the Unicode recommendation), so
// that valid text around a damaged byte survives unchanged.
std::string repaired(std::string_view text);

// Appends the UTF-8 form of one code point (which must be a Unicode scalar value).
void append(std::string& out, char32_t codePoint);

// The number of UTF-16 code units text takes, or nothing when it is not valid
// UTF-8: the length Windows measures a name's buffer in.
std::optional<std::size_t> utf16Length(std::string_view text);

}  // namespace velmora::platform::utf8
