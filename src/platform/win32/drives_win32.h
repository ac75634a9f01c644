#pragma once

#include "platform/drives.h"

namespace velmora::platform {

// Drives and volumes with the wide Win32 volume functions. Every call runs with the
// critical-error dialogs off, so a floppy or card reader without a medium never
// stops the program with a dialog.
class Win32Drives final : public Drives {
 public:
  std::uint32_t getLogicalDrives() override;
  DriveType getDriveType(std::string_view root) override;
  bool rootExists(std::string_view root) override;
  std::optional<DiskSpace> getDiskFreeSpace(std::string_view root) override;
  std::optional<VolumeInformation> getVolumeInformation(std::string_view root) override;
  std::optional<std::string> getNetworkName(std::string_view root) override;
  std::unique_ptr<RawVolume> openVolume(char letter) override;
};

}  // namespace velmora::platform
