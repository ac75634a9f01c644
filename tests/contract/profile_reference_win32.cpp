#include <windows.h>

#include <vector>

#include "platform/win32/wide.h"
#include "profile_reference.h"

namespace velmora::contract {

using platform::win32::narrow;
using platform::win32::widen;

std::optional<std::string> windowsReadString(const std::string& path, std::string_view section,
                                             std::string_view key, std::string_view defaultValue) {
  std::vector<wchar_t> buffer(32768);
  const DWORD length =
      GetPrivateProfileStringW(widen(section).c_str(), widen(key).c_str(), widen(defaultValue).c_str(),
                               buffer.data(), static_cast<DWORD>(buffer.size()), widen(path).c_str());
  return narrow(std::wstring_view(buffer.data(), length));
}

std::optional<bool> windowsWriteString(const std::string& path, std::string_view section,
                                       std::string_view key, std::string_view value) {
  return WritePrivateProfileStringW(widen(section).c_str(), widen(key).c_str(), widen(value).c_str(),
                                    widen(path).c_str()) != 0;
}

}  // namespace velmora::contract
