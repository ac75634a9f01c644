#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/drives.h"

namespace velmora::fakes {

// One drive of the fake machine.
struct FakeDrive {
  platform::DriveType type = platform::DriveType::fixed;
  // A drive without a medium (an empty floppy or card reader) is not ready: its
  // letter exists, but its root, space and volume cannot be read.
  bool ready = true;
  platform::DiskSpace space;
  platform::VolumeInformation volume;
  // The share a remote drive is mapped to ("\\server\share").
  std::string networkName = {};
  // The bytes of the volume opened as a whole, as an administrator may open it
  // ("\\.\X:"), and what it answers about its NTFS layout. Without bytes the open
  // is refused, as Windows refuses a standard user.
  std::shared_ptr<const std::vector<std::uint8_t>> rawVolume = {};
  std::optional<platform::NtfsVolumeData> ntfsVolumeData = {};
};

// Drives and volumes of a scripted machine: the letters added, each with its type,
// readiness, space and volume. Roots are a letter, a colon and a backslash ("C:\"),
// in either letter case. Safe to call from several threads at once. A volume
// opens as a whole only where the drive was given its bytes; each read must be
// whole sectors at a sector-aligned offset, as Windows reads a volume.
class FakeDrives final : public platform::Drives {
 public:
  void addDrive(char letter, const FakeDrive& drive);
  void removeDrive(char letter);

  std::uint32_t getLogicalDrives() override;
  platform::DriveType getDriveType(std::string_view root) override;
  bool rootExists(std::string_view root) override;
  std::optional<platform::DiskSpace> getDiskFreeSpace(std::string_view root) override;
  std::optional<platform::VolumeInformation> getVolumeInformation(std::string_view root) override;
  std::optional<std::string> getNetworkName(std::string_view root) override;
  std::unique_ptr<platform::RawVolume> openVolume(char letter) override;

 private:
  // The drive a root names, when it is one of the added drives.
  std::optional<FakeDrive> driveOf(std::string_view root) const;

  mutable std::mutex mutex_;
  std::array<std::optional<FakeDrive>, 26> drives_;
};

}  // namespace velmora::fakes
