#pragma once

#include <array>
#include <mutex>
#include <optional>

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
};

// Drives and volumes of a scripted machine: the letters added, each with its type,
// readiness, space and volume. Roots are a letter, a colon and a backslash ("C:\"),
// in either letter case. Safe to call from several threads at once. Its user is a
// standard user, whom Windows refuses a volume opened as a whole: every drive is
// walked folder by folder.
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
  std::unique_ptr<platform::RawVolume> openVolume(char) override { return nullptr; }

 private:
  // The drive a root names, when it is one of the added drives.
  std::optional<FakeDrive> driveOf(std::string_view root) const;

  mutable std::mutex mutex_;
  std::array<std::optional<FakeDrive>, 26> drives_;
};

}  // namespace velmora::fakes
