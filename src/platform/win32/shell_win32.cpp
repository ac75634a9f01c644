#include "platform/win32/shell_win32.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "platform/extended_path.h"
#include "platform/win32/com.h"
#include "platform/win32/recycle_bin_win32.h"
#include "platform/win32/wide.h"

namespace velmora::platform {
namespace {

using win32::ComRef;
using win32::ComScope;

// The wide form of an optional text argument: null when the text is empty.
const wchar_t* optionalText(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

// The icon index SHGetFileInfo gives for a path with the given flags, or nothing
// when it fails. An icon handle the flags ask for is released at once: only the
// index into the system list is used.
std::optional<int> shellIconIndex(const std::wstring& path, UINT flags) {
  ComScope com;
  SHFILEINFOW info{};
  const DWORD_PTR result = SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, flags);
  if (info.hIcon) DestroyIcon(info.hIcon);
  if (result == 0) return std::nullopt;
  return info.iIcon;
}

// Loads a shortcut into a shell link object and hands the object to read, whose
// answer it returns; nothing when the shortcut cannot be loaded.
template <typename Read>
std::optional<std::string> readShortcut(std::string_view shortcutPath, Read read) {
  // The shortcut is loaded by its ordinary full path: the shell link object is not
  // documented to take the extended-length form. A relative path is refused, as
  // everywhere, so the working folder never decides which shortcut is read.
  if (!extendedLengthPath(shortcutPath)) return std::nullopt;
  // The shortcut's own name and its target are file names: converted losslessly.
  const std::wstring path = win32::widenName(shortcutPath);

  ComScope com;
  if (!com.usable()) return std::nullopt;
  ComRef<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.out())))
    return std::nullopt;
  ComRef<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.out()))) return std::nullopt;
  if (FAILED(file->Load(path.c_str(), STGM_READ))) return std::nullopt;
  return read(link);
}

// The wide form of a path the shell may be given: an ordinary full path that the
// shell reads as itself. The shell reads the path the ordinary way, which drops
// dots and blanks at the end of a name and takes "nul" for the device: "a.tmp."
// would send "a.tmp" to the Recycle Bin. Nothing for a relative path, so the
// working folder never decides which file goes, and for one that does not read as
// itself.
std::optional<std::wstring> pathForTheShell(std::string_view path) {
  if (!extendedLengthPath(path)) return std::nullopt;
  std::wstring wide = win32::widenName(path);
  std::wstring full(wide.size() + 1, L'\0');
  if (GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr) != wide.size() ||
      full.compare(0, wide.size(), wide) != 0)
    return std::nullopt;
  return wide;
}

// A run of moves to the Recycle Bin: COM for the thread that began it, for as long
// as the run lasts, so a deletion of thousands of files makes one apartment.
class Win32RecycleRun final : public RecycleRun {
 public:
  std::vector<RecycleOutcome> moveToRecycleBin(std::span<const std::string> paths) override {
    std::vector<RecycleOutcome> outcomes(paths.size(), RecycleOutcome::failed);
    if (!com_.usable()) return outcomes;
    std::vector<std::wstring> sent;
    std::vector<std::size_t> indexes;
    for (std::size_t index = 0; index < paths.size(); ++index)
      if (std::optional<std::wstring> wide = pathForTheShell(paths[index])) {
        sent.push_back(std::move(*wide));
        indexes.push_back(index);
      }
    const std::vector<RecycleOutcome> recycled = recycler_.recycle(sent);
    for (std::size_t k = 0; k < indexes.size(); ++k) outcomes[indexes[k]] = recycled[k];
    return outcomes;
  }

 private:
  ComScope com_;
  win32::ShellRecycler recycler_;
};

}  // namespace

std::uintptr_t Win32Shell::systemSmallImageList() {
  ComScope com;
  SHFILEINFOW info{};
  return static_cast<std::uintptr_t>(
      SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SHELLICONSIZE | SHGFI_SMALLICON));
}

std::optional<int> Win32Shell::iconIndexOfType(std::string_view extension) {
  if (extension.empty())
    return shellIconIndex(L"", SHGFI_SYSICONINDEX | SHGFI_SHELLICONSIZE | SHGFI_SMALLICON);
  return shellIconIndex(win32::widen(extension),
                        SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_SHELLICONSIZE | SHGFI_USEFILEATTRIBUTES);
}

std::optional<int> Win32Shell::iconIndexOfPath(std::string_view path) {
  // 0x4715: SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_DISPLAYNAME | SHGFI_ICON |
  // SHGFI_USEFILEATTRIBUTES | SHGFI_SHELLICONSIZE | SHGFI_SMALLICON.
  constexpr UINT flags = SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_DISPLAYNAME | SHGFI_ICON |
                         SHGFI_USEFILEATTRIBUTES | SHGFI_SHELLICONSIZE | SHGFI_SMALLICON;
  static_assert(flags == 0x4715);
  return shellIconIndex(win32::widen(path), flags);
}

std::optional<std::string> Win32Shell::shortcutTarget(std::string_view shortcutPath) {
  return readShortcut(shortcutPath, [](ComRef<IShellLinkW>& link) -> std::optional<std::string> {
    // The target is read as the shortcut holds it, without IShellLink::Resolve:
    // Resolve looks the target up, on a network path too (stalling for the
    // network's time-out, and authenticating to whatever server a planted shortcut
    // names); may search the disk for a moved target; and with SLR_INVOKE_MSI
    // starts the installer of an installed feature. Even with SLR_NOSEARCH and
    // SLR_NOTRACK it would only repeat the one lookup the caller makes itself.
    PIDLIST_ABSOLUTE items = nullptr;
    if (FAILED(link->GetIDList(&items)) || items == nullptr) return std::nullopt;
    // Room for the longest path Windows allows, not only MAX_PATH characters.
    std::vector<wchar_t> buffer(32768, L'\0');
    const bool converted =
        SHGetPathFromIDListEx(items, buffer.data(), static_cast<DWORD>(buffer.size()), GPFIDL_DEFAULT) != 0;
    CoTaskMemFree(items);
    if (!converted) return std::nullopt;
    return win32::narrowName(buffer.data());
  });
}

std::optional<std::string> Win32Shell::shortcutArguments(std::string_view shortcutPath) {
  return readShortcut(shortcutPath, [](ComRef<IShellLinkW>& link) -> std::optional<std::string> {
    // The wide call sets no limit on the arguments' length but cuts them, without
    // saying so, to the buffer: room for as long a text as a command line holds.
    std::vector<wchar_t> buffer(32768, L'\0');
    if (FAILED(link->GetArguments(buffer.data(), static_cast<int>(buffer.size())))) return std::nullopt;
    return win32::narrow(buffer.data());
  });
}

std::optional<std::string> Win32Shell::folderPath(int csidl) {
  wchar_t buffer[MAX_PATH + 1] = {};
  if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK) return std::nullopt;
  return win32::narrowName(buffer);
}

int Win32Shell::shellExecute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                             std::string_view parameters, std::string_view directory, int showCommand) {
  const std::wstring wideVerb = win32::widen(verb);
  const std::wstring wideFile = win32::widen(file);
  const std::wstring wideParameters = win32::widen(parameters);
  const std::wstring wideDirectory = win32::widen(directory);
  // ShellExecute may hand the request to shell extensions, which need COM.
  ComScope com;
  HINSTANCE result = ShellExecuteW(reinterpret_cast<HWND>(owner), optionalText(wideVerb), wideFile.c_str(),
                                   optionalText(wideParameters), optionalText(wideDirectory), showCommand);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

std::uint32_t Win32Shell::createProcess(std::string_view commandLine, int showCommand) {
  // CreateProcess may write into the command line it is given, so it gets a copy.
  std::wstring command = win32::widen(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return GetLastError();
  // Nothing waits for the started program: the caller is the user-interface thread.
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ERROR_SUCCESS;
}

std::unique_ptr<RecycleRun> Win32Shell::beginRecycling() { return std::make_unique<Win32RecycleRun>(); }

std::optional<RecycleBinSpace> Win32Shell::recycleBinSpace(std::string_view driveRoot) {
  return win32::recycleBinSpace(win32::widenName(driveRoot));
}

}  // namespace velmora::platform
