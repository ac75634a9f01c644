#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Facts about the computer for the System Information window (names, the Windows
// version and folders, and the display), and where the running program lies. Each
// call asks Windows afresh.
namespace velmora::platform {

// The version record of GetVersionEx (OSVERSIONINFO).
struct OsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platformId = 0;  // 2 (VER_PLATFORM_WIN32_NT) on every Windows the program runs on.
  std::string servicePack;       // "Service Pack 1", or empty.
};

struct ScreenSize {
  int width = 0;
  int height = 0;
};

class SystemInfo {
 public:
  // The buffer, in UTF-16 characters, that the computer and user names are read
  // into: UNLEN + 1, which holds the longest user name Windows allows with its
  // terminating zero, and so also every computer name (at most
  // MAX_COMPUTERNAME_LENGTH, 15 characters).
  static constexpr std::size_t kNameBufferChars = 257;
  // The buffer, in characters, for the Windows and system folders.
  static constexpr std::size_t kFolderBufferChars = 255;

  virtual ~SystemInfo() = default;

  // GetComputerName with a kNameBufferChars buffer: the computer's NetBIOS name;
  // nothing when it does not fit or cannot be read.
  virtual std::optional<std::string> computerName() const = 0;

  // GetUserName with a kNameBufferChars buffer: the name the user logged on with;
  // nothing when it cannot be read.
  virtual std::optional<std::string> userName() const = 0;

  // The version of Windows. Windows answers GetVersionEx according to the program's
  // manifest (a program that declares no support for Windows 8.1 and later is told
  // 6.2); this asks RtlGetVersion, which tells every caller the true version. For the
  // program, whose manifest declares Windows 7 to 11, both give the same record; the
  // tests, which have no manifest, see the same record as the program. Nothing when
  // the version cannot be read.
  virtual std::optional<OsVersion> osVersion() const = 0;

  // GetWindowsDirectory and GetSystemDirectory with a kFolderBufferChars buffer,
  // without a trailing backslash ("C:\Windows", "C:\Windows\system32"); nothing when
  // the call fails or the folder does not fit the buffer.
  virtual std::optional<std::string> windowsDirectory() const = 0;
  virtual std::optional<std::string> systemDirectory() const = 0;

  // GetDeviceCaps(BITSPIXEL) of a device context created for "DISPLAY" (CreateDC,
  // then DeleteDC); nothing when the context cannot be created.
  virtual std::optional<int> displayBitsPerPixel() const = 0;

  // The primary screen's size in pixels (GetSystemMetrics with SM_CXSCREEN and
  // SM_CYSCREEN).
  virtual ScreenSize screenSize() const = 0;

  // The full path of the running program's executable (GetModuleFileName of the
  // process's own module), however long: the program's folder is taken from it,
  // never from the working folder. The path has the form the program was started
  // with, a "\\?\" prefix included. Nothing when it cannot be read.
  virtual std::optional<std::string> executablePath() const = 0;

  // The user's local application-data folder (SHGetKnownFolderPath with
  // FOLDERID_LocalAppData, "C:\Users\name\AppData\Local"), without a trailing
  // backslash: where the program writes what its own folder cannot take. Nothing
  // when it cannot be found.
  virtual std::optional<std::string> localAppDataFolder() const = 0;

  // ExpandEnvironmentStrings: text with each %NAME% of a variable of the process's
  // environment replaced by its value; a name that is not set stays as written.
  // Nothing when the call fails.
  virtual std::optional<std::string> expandEnvironment(std::string_view text) const = 0;

  // Whether the process runs as the LocalSystem account (its token's user is the
  // well-known SID S-1-5-18), as a task set to run without the user logged on may:
  // its profile and Recycle Bin are nobody's own files.
  virtual bool runsAsLocalSystem() const = 0;

  // The security identifier of the user the program runs as, in its text form
  // ("S-1-5-21-...": the user of the process token, GetTokenInformation with
  // TokenUser, then ConvertSidToStringSid). It names the user's own folder in a
  // drive's recycle-bin folder. Nothing when it cannot be read.
  virtual std::optional<std::string> currentUserSid() const = 0;

  // The user's thousands separator (GetLocaleInfo with LOCALE_STHOUSAND for the
  // user's default locale): "," in English, a no-break space in Russian. Empty when
  // the locale gives none.
  virtual std::string thousandsSeparator() const = 0;

  // FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS) of an
  // error code (a Win32 error number, or an HRESULT) in the language languageId (a
  // LANGID; 0 for the order Windows chooses: the thread's, the user's, the
  // system's language, then English), without its line break at the end ("The
  // system cannot find the file specified."). Nothing when the system has no text
  // for it in that language. The program shows it through platform::errorText.
  virtual std::optional<std::string> formatMessage(std::uint32_t code, std::uint16_t languageId) const = 0;
};

}  // namespace velmora::platform
