#include "platform/win32/final_path.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace velmora::platform::win32 {

std::optional<std::wstring> finalPathOf(HANDLE file) {
  std::wstring path(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    const DWORD length = GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return std::nullopt;
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    // The length needed: with its terminator on Windows, without it on Wine 8.
    path.resize(length + 1);
  }
  return std::nullopt;
}

bool equalNames(std::wstring_view a, std::wstring_view b) {
  return a.size() <= INT_MAX && b.size() <= INT_MAX &&
         CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                              TRUE) == CSTR_EQUAL;
}

namespace {

// The length of the root of an extended path: "\\?\C:\" or "\\?\UNC\server\share\".
std::size_t rootLength(std::wstring_view path) {
  if (path.starts_with(L"\\\\?\\UNC\\")) {
    std::size_t server = path.find(L'\\', 8);
    std::size_t share = server == std::wstring_view::npos ? server : path.find(L'\\', server + 1);
    return share == std::wstring_view::npos ? path.size() : share + 1;
  }
  return std::min<std::size_t>(path.size(), 7);
}

// Whether a path Windows gives is the wanted one, or that one without the dots and
// blanks that end it (wantedTrimmed; see finalPathIs).
bool namedAs(std::wstring_view given, std::wstring_view wanted, std::wstring_view wantedTrimmed) {
  return equalNames(given, wanted) ||
         (wantedTrimmed.size() != wanted.size() && equalNames(given, wantedTrimmed));
}

// The path of an open file or folder on its volume, from the volume's root
// ("\\dir\\a.tmp"), with the serial number of that volume; nothing when either
// cannot be read. Every file system driver answers these, also one that is not
// known to the mount manager.
struct OnVolume {
  std::wstring path;
  DWORD volumeSerial = 0;
};
std::optional<OnVolume> onVolume(HANDLE file) {
  std::vector<char> buffer(sizeof(FILE_NAME_INFO) + 2 * 32768);
  auto* name = reinterpret_cast<FILE_NAME_INFO*>(buffer.data());
  BY_HANDLE_FILE_INFORMATION information;
  if (!GetFileInformationByHandleEx(file, FileNameInfo, name, static_cast<DWORD>(buffer.size())) ||
      !GetFileInformationByHandle(file, &information))
    return std::nullopt;
  return OnVolume{std::wstring(name->FileName, name->FileNameLength / sizeof(wchar_t)),
                  information.dwVolumeSerialNumber};
}

// Whether an open file lies at the drive path extended names ("\\?\X:\..."), told
// without its final path: the file's path on its volume must be the listed drive
// root's own path on its volume (the volume's root, or a folder for a subst drive)
// followed by the rest of the listed path, and both must lie on one volume.
bool onVolumeAtDrivePath(HANDLE file, std::wstring_view extended, std::wstring_view trimmed) {
  if (extended.size() < 7 || extended[5] != L':') return false;
  HANDLE root = CreateFileW(std::wstring(extended.substr(0, 7)).c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (root == INVALID_HANDLE_VALUE) return false;
  const std::optional<OnVolume> drive = onVolume(root);
  CloseHandle(root);
  const std::optional<OnVolume> listed = onVolume(file);
  if (!drive || !listed || drive->volumeSerial != listed->volumeSerial) return false;
  std::wstring_view base = drive->path;
  while (base.ends_with(L'\\')) base.remove_suffix(1);
  return namedAs(listed->path, std::wstring(base) + std::wstring(extended.substr(6)),
                 std::wstring(base) + std::wstring(trimmed.substr(6)));
}

}  // namespace

bool finalPathIs(HANDLE file, const std::wstring& extended) {
  // Wine 8 gives a name that ends in dots or blanks without them ("a.tmp." as
  // "a.tmp"); Windows gives it as it is. The file was opened by its exact name, so
  // the name without them still says that no link was on the way.
  std::wstring_view trimmed = extended;
  while (trimmed.ends_with(L'.') || trimmed.ends_with(L' ')) trimmed.remove_suffix(1);
  const std::optional<std::wstring> final = finalPathOf(file);
  // Drivers that do not register with the mount manager (RAM disks, some virtual
  // and encrypted drives) have no final path at all, and Wine 8 answers none longer
  // than MAX_PATH (ERROR_MORE_DATA whatever the buffer): the path on the volume,
  // which every driver gives, is compared with the volume's serial number instead.
  // Wine 8 gives every volume the serial 0, so there only the path tells.
  if (!final) return onVolumeAtDrivePath(file, extended, trimmed);
  if (namedAs(*final, extended, trimmed)) return true;

  std::wstring expected = extended;
  if (expected.find(L'~') != std::wstring::npos) {
    const DWORD length = GetLongPathNameW(extended.c_str(), nullptr, 0);
    std::wstring longPath(length, L'\0');
    if (length == 0 || GetLongPathNameW(extended.c_str(), longPath.data(), length) != length - 1)
      return false;
    longPath.resize(length - 1);
    expected = longPath;
  }
  const std::size_t root = rootLength(expected);
  HANDLE rootFolder = CreateFileW(expected.substr(0, root).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (rootFolder == INVALID_HANDLE_VALUE) return false;
  std::optional<std::wstring> rootFinal = finalPathOf(rootFolder);
  CloseHandle(rootFolder);
  if (!rootFinal) return false;
  if (!rootFinal->ends_with(L'\\')) *rootFinal += L'\\';
  return equalNames(*final, *rootFinal + expected.substr(root));
}

}  // namespace velmora::platform::win32
