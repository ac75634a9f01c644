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

// File names as they cross the boundary to the wide Windows functions (WTF-8). A
// Windows file name is any run of 16-bit units and may hold an unpaired surrogate,
// which UTF-8 cannot hold. Here such a surrogate is written as its own three bytes
// (ED A0 80 to ED BF BF), so that every name converts to text and back to exactly
// the name it was: a file listed under such a name is sized and deleted as itself.
// Everything else is plain UTF-8.

// UTF-16 to WTF-8: never fails, never loses a unit.
std::string fromUtf16Names(std::u16string_view text);

// WTF-8 to UTF-16: the inverse of fromUtf16Names. Bytes that are neither UTF-8 nor
// an encoded surrogate become U+FFFD; two encoded surrogates that form a pair give
// that pair, which names the same file as the four-byte form.
std::u16string toUtf16Names(std::string_view text);

// WTF-8 to UTF-16 for showing: as toUtf16Names, with every unpaired surrogate shown
// as U+FFFD, the replacement mark.
std::u16string toUtf16Shown(std::string_view text);

}  // namespace velmora::platform::utf8
