#include "platform/win32/system_info_win32.h"

#include <windows.h>

#include <knownfolders.h>
#include <sddl.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "platform/win32/wide.h"

namespace velmora::platform {
namespace {

// RtlGetVersion of ntdll, which has no import library in every tool set and is
// looked up at run time. It returns STATUS_SUCCESS (0) for a valid record.
using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);

// GetWindowsDirectoryW and GetSystemDirectoryW answer the length without the zero
// when the folder fits, the size it would need when it does not, and 0 on failure.
std::optional<std::string> folder(UINT(WINAPI* get)(LPWSTR, UINT)) {
  wchar_t buffer[SystemInfo::kFolderBufferChars];
  const UINT length = get(buffer, SystemInfo::kFolderBufferChars);
  if (length == 0 || length >= SystemInfo::kFolderBufferChars) return std::nullopt;
  return win32::narrow(std::wstring_view(buffer, length));
}

}  // namespace

std::optional<std::string> Win32SystemInfo::computerName() const {
  wchar_t buffer[kNameBufferChars];
  DWORD size = kNameBufferChars;
  // A name that does not fit fails with ERROR_BUFFER_OVERFLOW; on success size is
  // the length without the zero.
  if (!GetComputerNameW(buffer, &size)) return std::nullopt;
  return win32::narrow(std::wstring_view(buffer, size));
}

std::optional<std::string> Win32SystemInfo::userName() const {
  wchar_t buffer[kNameBufferChars];
  DWORD size = kNameBufferChars;
  // A name that does not fit fails with ERROR_INSUFFICIENT_BUFFER; on success size
  // counts the terminating zero too.
  if (!GetUserNameW(buffer, &size) || size == 0) return std::nullopt;
  return win32::narrow(std::wstring_view(buffer, size - 1));
}

std::optional<OsVersion> Win32SystemInfo::osVersion() const {
  OSVERSIONINFOW raw{};
  raw.dwOSVersionInfoSize = sizeof(raw);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (ntdll == nullptr) return std::nullopt;
  // The cast goes through a generic function pointer, the documented way from
  // GetProcAddress's FARPROC to the function's own type.
  const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "RtlGetVersion")));
  if (rtlGetVersion == nullptr || rtlGetVersion(&raw) != 0) return std::nullopt;
  return OsVersion{raw.dwMajorVersion, raw.dwMinorVersion, raw.dwBuildNumber, raw.dwPlatformId,
                   win32::narrow(raw.szCSDVersion)};
}

std::optional<std::string> Win32SystemInfo::windowsDirectory() const { return folder(GetWindowsDirectoryW); }

std::optional<std::string> Win32SystemInfo::systemDirectory() const { return folder(GetSystemDirectoryW); }

std::optional<int> Win32SystemInfo::displayBitsPerPixel() const {
  HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
  if (display == nullptr) return std::nullopt;
  const int bits = GetDeviceCaps(display, BITSPIXEL);
  DeleteDC(display);
  return bits;
}

ScreenSize Win32SystemInfo::screenSize() const {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::string Win32SystemInfo::thousandsSeparator() const {
  // LOCALE_STHOUSAND holds at most four characters and the terminating zero.
  wchar_t separator[8] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8) == 0) return {};
  return win32::narrow(separator);
}

std::optional<std::string> Win32SystemInfo::executablePath() const {
  // A path may be longer than MAX_PATH (with the "\\?\" prefix, up to 32767
  // characters). GetModuleFileNameW cuts a path that does not fit to the buffer and
  // then returns the buffer's full size, so the buffer grows until the length it
  // returns leaves room to spare.
  constexpr DWORD kLongestPath = 32768;
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) return std::nullopt;
    if (length < size) return win32::narrow(std::wstring_view(buffer.data(), length));
    if (size >= kLongestPath) return std::nullopt;
    buffer.resize(std::min<std::size_t>(buffer.size() * 2, kLongestPath));
  }
}

std::optional<std::string> Win32SystemInfo::localAppDataFolder() const {
  // Asked of the shell rather than read from %LOCALAPPDATA%: a task that runs while
  // the user is not logged on may lack the variable, never the folder.
  PWSTR path = nullptr;
  const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path);
  std::optional<std::string> folder;
  if (SUCCEEDED(result) && path != nullptr && *path != L'\0') folder = win32::narrowName(path);
  // The buffer is the caller's to free even when the call fails.
  CoTaskMemFree(path);
  return folder;
}

std::optional<std::string> Win32SystemInfo::expandEnvironment(std::string_view text) const {
  const std::wstring wide = win32::widen(text);
  // The answer counts the terminating zero; a buffer too small is answered with the
  // size it needs, which may grow when the environment changes between the calls.
  std::wstring buffer(wide.size() + 64, L'\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    const DWORD needed =
        ExpandEnvironmentStringsW(wide.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (needed == 0) return std::nullopt;
    if (needed <= buffer.size()) {
      buffer.resize(needed - 1);
      return win32::narrow(buffer);
    }
    buffer.assign(needed, L'\0');
  }
  return std::nullopt;
}

bool Win32SystemInfo::runsAsLocalSystem() const {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  alignas(TOKEN_USER) unsigned char buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  const bool read = GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size);
  CloseHandle(token);
  return read && IsWellKnownSid(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, WinLocalSystemSid);
}

std::optional<std::string> Win32SystemInfo::formatMessage(std::uint32_t code, std::uint16_t languageId) const {
  wchar_t* text = nullptr;
  // A language whose texts are not installed fails (ERROR_RESOURCE_LANG_NOT_FOUND,
  // or ERROR_MUI_FILE_NOT_FOUND on Windows with language packs).
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr,
      code, languageId, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length > 0 && text != nullptr ? std::wstring(text, length) : std::wstring();
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
    message.pop_back();
  if (message.empty()) return std::nullopt;
  return win32::narrow(message);
}

std::optional<std::string> Win32SystemInfo::currentUserSid() const {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return std::nullopt;
  // The first call tells the size the user's record needs.
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<unsigned char> buffer(size);
  std::optional<std::string> sid;
  if (size != 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
    const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
    LPWSTR text = nullptr;
    if (ConvertSidToStringSidW(user->User.Sid, &text)) {
      sid = win32::narrow(text);
      LocalFree(text);
    }
  }
  CloseHandle(token);
  return sid;
}

}  // namespace velmora::platform
