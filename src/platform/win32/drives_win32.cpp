#include "platform/win32/drives_win32.h"

#include <windows.h>

#include "platform/extended_path.h"
#include "platform/win32/critical_error_mode.h"
#include "platform/win32/raw_volume_win32.h"
#include "platform/win32/wide.h"

namespace velmora::platform {

namespace {

using win32::CriticalErrorDialogsOff;

// Only a full root reaches Windows: given an empty or relative text, the volume
// functions would answer for the working folder's drive, which nothing here means.
bool isFullRoot(std::string_view root) { return extendedLengthPath(root).has_value(); }

}  // namespace

std::uint32_t Win32Drives::getLogicalDrives() { return GetLogicalDrives(); }

DriveType Win32Drives::getDriveType(std::string_view root) {
  if (!isFullRoot(root)) return DriveType::noRootDirectory;
  const std::wstring wide = win32::widen(root);
  CriticalErrorDialogsOff quiet;
  const UINT type = GetDriveTypeW(wide.c_str());
  return type <= DRIVE_RAMDISK ? static_cast<DriveType>(type) : DriveType::unknown;
}

bool Win32Drives::rootExists(std::string_view root) {
  if (!isFullRoot(root)) return false;
  const std::wstring wide = win32::widen(root);
  CriticalErrorDialogsOff quiet;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<DiskSpace> Win32Drives::getDiskFreeSpace(std::string_view root) {
  if (!isFullRoot(root)) return std::nullopt;
  const std::wstring wide = win32::widen(root);
  ULARGE_INTEGER available{};
  ULARGE_INTEGER total{};
  ULARGE_INTEGER totalFree{};
  CriticalErrorDialogsOff quiet;
  if (!GetDiskFreeSpaceExW(wide.c_str(), &available, &total, &totalFree)) return std::nullopt;
  return DiskSpace{available.QuadPart, total.QuadPart, totalFree.QuadPart};
}

std::optional<VolumeInformation> Win32Drives::getVolumeInformation(std::string_view root) {
  if (!isFullRoot(root)) return std::nullopt;
  const std::wstring wide = win32::widen(root);
  // Buffers of the largest size the call accepts (MAX_PATH + 1): a smaller buffer
  // makes the whole call fail for a volume whose label does not fit.
  wchar_t label[MAX_PATH + 1] = {};
  wchar_t fileSystem[MAX_PATH + 1] = {};
  DWORD serial = 0;
  CriticalErrorDialogsOff quiet;
  if (!GetVolumeInformationW(wide.c_str(), label, MAX_PATH + 1, &serial, nullptr, nullptr, fileSystem,
                             MAX_PATH + 1))
    return std::nullopt;
  return VolumeInformation{win32::narrow(label), serial, win32::narrow(fileSystem)};
}

std::optional<std::string> Win32Drives::getNetworkName(std::string_view root) {
  if (!isFullRoot(root) || root.size() != 3) return std::nullopt;
  const std::wstring device = win32::widen(root.substr(0, 2));
  std::wstring target(1024, L'\0');
  if (QueryDosDeviceW(device.c_str(), target.data(), static_cast<DWORD>(target.size())) == 0)
    return std::nullopt;
  target.resize(target.find(L'\0'));
  // A mapped drive's device is its redirector's, with the letter and the logon
  // session before the share: "\Device\LanmanRedirector\;Z:0000000000012345\server\share"
  // (since Windows 10 also below "\Device\Mup\"). A drive substituted for a
  // network path is "\??\UNC\server\share".
  std::wstring_view text = target;
  const std::wstring letter = L";" + device;
  std::size_t share = std::wstring_view::npos;
  for (std::size_t at = text.find(L";"); at != std::wstring_view::npos; at = text.find(L";", at + 1))
    if (CompareStringOrdinal(text.data() + at, static_cast<int>(letter.size()), letter.c_str(),
                             static_cast<int>(letter.size()), TRUE) == CSTR_EQUAL) {
      share = text.find(L'\\', at);
      break;
    }
  if (share == std::wstring_view::npos && text.starts_with(L"\\??\\UNC\\")) share = 7;
  if (share == std::wstring_view::npos || share + 1 >= text.size()) return std::nullopt;
  return "\\\\" + win32::narrow(text.substr(share + 1));
}

std::unique_ptr<RawVolume> Win32Drives::openVolume(char letter) { return openRawVolume(letter); }

}  // namespace velmora::platform
