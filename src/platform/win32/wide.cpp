#include "platform/win32/wide.h"

#include <windows.h>

#include <climits>

#include "platform/utf8.h"

namespace velmora::platform::win32 {
namespace {

// wchar_t is a 16-bit unit on Windows, so the two string types share a layout.
std::wstring asWide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

std::wstring widen(std::string_view utf8) { return asWide(utf8::toUtf16Shown(utf8)); }

std::wstring widenName(std::string_view wtf8) { return asWide(utf8::toUtf16Names(wtf8)); }

std::string narrowName(std::wstring_view utf16) {
  return utf8::fromUtf16Names(
      std::u16string_view(reinterpret_cast<const char16_t*>(utf16.data()), utf16.size()));
}

std::string narrow(std::wstring_view utf16) {
  if (utf16.empty() || utf16.size() > INT_MAX) return {};
  const int length = static_cast<int>(utf16.size());
  const int count = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
  if (count <= 0) return {};
  std::string utf8(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, utf8.data(), count, nullptr, nullptr);
  return utf8;
}

}  // namespace velmora::platform::win32
