#pragma once

#include <cstdint>
#include <optional>
#include <span>

// A volume opened as a whole ("\\.\C:"), read by byte offset, the way CreateFile
// on a volume device and ReadFile read it. Windows opens a volume for reading
// only for an administrator, and reads only whole sectors at sector-aligned
// offsets; callers keep to that.
namespace velmora::platform {

// What FSCTL_GET_NTFS_VOLUME_DATA answers about an NTFS volume's layout.
struct NtfsVolumeData {
  std::uint64_t serialNumber = 0;
  std::uint64_t totalSectors = 0;
  std::uint32_t bytesPerSector = 0;
  std::uint32_t bytesPerCluster = 0;
  std::uint32_t bytesPerRecord = 0;
  std::uint64_t fileTableCluster = 0;
  // MftValidDataLength: how many bytes of the table the file system holds written.
  std::uint64_t fileTableValidBytes = 0;
};

class RawVolume {
 public:
  virtual ~RawVolume() = default;

  // Reads into.size() bytes from byte offset `offset` (ReadFile at that position);
  // false unless all of them were read.
  virtual bool read(std::uint64_t offset, std::span<std::uint8_t> into) = 0;

  // FSCTL_GET_NTFS_VOLUME_DATA; nothing when the volume does not answer it (not
  // NTFS, or a system that does not support the request).
  virtual std::optional<NtfsVolumeData> ntfsVolumeData() = 0;
};

}  // namespace velmora::platform
