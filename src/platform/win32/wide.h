#pragma once

#include <string>
#include <string_view>

// The boundary between the program's UTF-8 text and the UTF-16 text of the wide
// Win32 functions. Every Win32 implementation converts here and nowhere else.
namespace velmora::platform::win32 {

// UTF-8 to UTF-16. Bytes that are not valid UTF-8 become U+FFFD, so a damaged
// text still converts instead of failing as a whole.
std::wstring widen(std::string_view utf8);

// UTF-16 to UTF-8. An unpaired surrogate (NTFS allows one in a file name)
// becomes U+FFFD.
std::string narrow(std::wstring_view utf16);

}  // namespace velmora::platform::win32
