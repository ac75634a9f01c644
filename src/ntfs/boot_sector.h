#pragma once

#include <cstdint>
#include <optional>

#include "ntfs/little_endian.h"

namespace velmora::ntfs {

// What the first sector of an NTFS volume says about its layout.
struct BootSector {
  std::uint32_t bytesPerSector = 0;
  std::uint32_t bytesPerCluster = 0;
  std::uint32_t bytesPerRecord = 0;  // One record of the file table.
  std::uint64_t totalSectors = 0;
  std::uint64_t fileTableCluster = 0;  // Where record 0 of the file table starts.
  std::uint64_t serialNumber = 0;

  std::uint64_t volumeBytes() const { return totalSectors * bytesPerSector; }
};

// The layout the boot sector states, when it is an NTFS boot sector whose figures
// add up: OEM id "NTFS    ", the boot signature, sector, cluster and record sizes
// that are powers of two within what NTFS allows (a record at least a sector, so
// that every read of the table is sector-aligned), and a table inside the volume.
// Nothing otherwise: another file system, or a sector that cannot be trusted.
std::optional<BootSector> decodeBootSector(Bytes sector);

}  // namespace velmora::ntfs
