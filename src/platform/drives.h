#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/raw_volume.h"

// Drives and volumes: which drive letters exist, what kind each drive is, whether
// it is ready, its space and its volume's name, serial number and file system, each
// the way the Windows volume functions report them. A root is a drive letter, a
// colon and a backslash ("C:\").
namespace velmora::platform {

// GetDriveType's answers, with the values Windows gives them.
enum class DriveType {
  unknown = 0,
  noRootDirectory = 1,
  removable = 2,
  fixed = 3,
  remote = 4,
  cdRom = 5,
  ramDisk = 6,
};

// GetDiskFreeSpaceEx's three figures, in bytes.
struct DiskSpace {
  std::uint64_t freeBytesAvailable = 0;  // What the calling user may still use.
  std::uint64_t totalBytes = 0;
  std::uint64_t totalFreeBytes = 0;  // Free on the whole disk.
};

// GetVolumeInformation's answers that the program shows.
struct VolumeInformation {
  std::string label;  // Empty for a volume without a label.
  std::uint32_t serialNumber = 0;
  std::string fileSystemName;  // "NTFS", "FAT32", ...
};

class Drives {
 public:
  virtual ~Drives() = default;

  // GetLogicalDrives: bit i is set when the drive letter A + i exists.
  virtual std::uint32_t getLogicalDrives() = 0;

  // GetDriveType of a root; noRootDirectory for a text that is not a full root.
  virtual DriveType getDriveType(std::string_view root) = 0;

  // Whether the root exists as a folder (its attributes can be read and have the
  // directory bit), tested with the critical-error dialogs switched off and the
  // previous error mode restored, so a drive without a medium just answers false.
  virtual bool rootExists(std::string_view root) = 0;

  // GetDiskFreeSpaceEx of a root; nothing when the call fails or the text is not a
  // full root (an empty root never means the working folder's drive).
  virtual std::optional<DiskSpace> getDiskFreeSpace(std::string_view root) = 0;

  // GetVolumeInformation of a root; nothing when the call fails.
  virtual std::optional<VolumeInformation> getVolumeInformation(std::string_view root) = 0;

  // The share a mapped network drive leads to ("\\server\share"), as the drive
  // letter's device mapping names it (QueryDosDevice): the network itself is not
  // reached. Nothing for a drive of any other kind, or a root that is not one.
  virtual std::optional<std::string> getNetworkName(std::string_view root) = 0;

  // The volume of a drive letter opened for reading as a whole (CreateFile on
  // "\\.\X:" with GENERIC_READ and FILE_SHARE_READ | FILE_SHARE_WRITE), with the
  // critical-error dialogs off. Nothing when the open is refused: a standard user,
  // a drive that does not exist or has no medium, a network drive.
  virtual std::unique_ptr<RawVolume> openVolume(char letter) = 0;
};

}  // namespace velmora::platform
