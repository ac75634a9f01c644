#include "platform/win32/text_encoding_win32.h"

#include <windows.h>

#include <climits>

#include "platform/win32/wide.h"

namespace velmora::platform {
namespace {

// MultiByteToWideChar over the whole of bytes: the UTF-16 text, or nothing when the
// call fails (with MB_ERR_INVALID_CHARS, on an invalid sequence). The call itself
// refuses an empty input, which simply converts to the empty text here.
std::optional<std::u16string> multiByteToUtf16(UINT codePage, DWORD flags, std::string_view bytes) {
  if (bytes.empty()) return std::u16string();
  if (bytes.size() > INT_MAX) return std::nullopt;
  const int length = static_cast<int>(bytes.size());
  const int count = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
  if (count <= 0) return std::nullopt;
  std::u16string wide(static_cast<std::size_t>(count), u'\0');
  // On Windows wchar_t and char16_t are both UTF-16 code units of the same size.
  if (MultiByteToWideChar(codePage, flags, bytes.data(), length, reinterpret_cast<wchar_t*>(wide.data()),
                          count) != count) {
    return std::nullopt;
  }
  return wide;
}

std::string codePageToUtf8(UINT codePage, std::string_view bytes) {
  const std::optional<std::u16string> wide = multiByteToUtf16(codePage, 0, bytes);
  if (!wide) return {};
  return win32::narrow(std::wstring_view(reinterpret_cast<const wchar_t*>(wide->data()), wide->size()));
}

}  // namespace

std::optional<std::u16string> Win32TextEncoding::utf8ToUtf16(std::string_view utf8) const {
  return multiByteToUtf16(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
}

std::optional<std::string> Win32TextEncoding::utf16ToUtf8(std::u16string_view utf16) const {
  if (utf16.empty()) return std::string();
  if (utf16.size() > INT_MAX) return std::nullopt;
  const auto* wide = reinterpret_cast<const wchar_t*>(utf16.data());
  const int length = static_cast<int>(utf16.size());
  const int count =
      WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, length, nullptr, 0, nullptr, nullptr);
  if (count <= 0) return std::nullopt;
  std::string utf8(static_cast<std::size_t>(count), '\0');
  if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, length, utf8.data(), count, nullptr,
                          nullptr) != count) {
    return std::nullopt;
  }
  return utf8;
}

bool Win32TextEncoding::isValidUtf8(std::string_view text) const {
  if (text.empty()) return true;
  if (text.size() > INT_MAX) return false;
  // Asking only for the length still checks every sequence.
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                             nullptr, 0) > 0;
}

unsigned Win32TextEncoding::ansiCodePage() const { return GetACP(); }

std::string Win32TextEncoding::ansiToUtf8(std::string_view bytes) const {
  return codePageToUtf8(CP_ACP, bytes);
}

std::string Win32TextEncoding::cp1251ToUtf8(std::string_view bytes) const {
  return codePageToUtf8(kCyrillicCodePage, bytes);
}

}  // namespace velmora::platform
