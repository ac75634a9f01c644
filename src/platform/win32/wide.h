#pragma once

#include <string>
#include <string_view>

// The boundary between the program's UTF-8 text and the UTF-16 text of the wide
// Win32 functions. Every Win32 implementation converts here and nowhere else.
namespace velmora::platform::win32 {

// UTF-8 to UTF-16 for text that is shown or handed on. Bytes that are not valid
// UTF-8 become U+FFFD, so a damaged text still converts instead of failing as a
// whole; a file name's unpaired surrogate (WTF-8) shows as U+FFFD too.
std::wstring widen(std::string_view utf8);

// A file name or path in WTF-8 to the exact UTF-16 name it stands for, unpaired
// surrogates included (utf8::toUtf16Names).
std::wstring widenName(std::string_view wtf8);

// A file name from Windows to WTF-8, losing nothing (utf8::fromUtf16Names).
std::string narrowName(std::wstring_view utf16);

// UTF-16 to UTF-8. An unpaired surrogate (NTFS allows one in a file name)
// becomes U+FFFD.
std::string narrow(std::wstring_view utf16);

}  // namespace velmora::platform::win32
