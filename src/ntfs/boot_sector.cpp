#include "ntfs/boot_sector.h"

#include <algorithm>

namespace velmora::ntfs {
namespace {

bool isPowerOfTwo(std::uint64_t value) { return value != 0 && (value & (value - 1)) == 0; }

// A size byte of the boot sector: a count of units when positive, otherwise the
// size in bytes as a power of two (0xF6 is 2^10), as large clusters and records
// are written.
std::optional<std::uint64_t> sizeFrom(std::uint8_t code, std::uint64_t unit) {
  if (code == 0) return std::nullopt;
  if (code < 0x80) return code * unit;
  const int shift = 256 - code;
  if (shift > 31) return std::nullopt;
  return std::uint64_t{1} << shift;
}

}  // namespace

std::optional<BootSector> decodeBootSector(Bytes sector) {
  if (!fits(sector, 0, 512)) return std::nullopt;
  if (!std::equal(sector.begin() + 3, sector.begin() + 11, "NTFS    ")) return std::nullopt;
  if (u16(sector, 0x1FE) != 0xAA55) return std::nullopt;
  BootSector boot;
  boot.bytesPerSector = u16(sector, 0x0B);
  if (!isPowerOfTwo(boot.bytesPerSector) || boot.bytesPerSector < 512 || boot.bytesPerSector > 4096)
    return std::nullopt;
  // Sectors per cluster: a count up to 128, beyond that a power of two of bytes.
  const std::uint8_t perCluster = sector[0x0D];
  const std::optional<std::uint64_t> cluster =
      perCluster <= 0x80 ? sizeFrom(perCluster, boot.bytesPerSector) : sizeFrom(perCluster, 1);
  if (!cluster || !isPowerOfTwo(*cluster) || *cluster < boot.bytesPerSector || *cluster > (2u << 20))
    return std::nullopt;
  boot.bytesPerCluster = static_cast<std::uint32_t>(*cluster);
  const std::optional<std::uint64_t> record = sizeFrom(sector[0x40], boot.bytesPerCluster);
  if (!record || !isPowerOfTwo(*record) || *record < 1024 || *record > 65536 || *record < boot.bytesPerSector)
    return std::nullopt;
  boot.bytesPerRecord = static_cast<std::uint32_t>(*record);
  boot.totalSectors = u64(sector, 0x28);
  boot.fileTableCluster = u64(sector, 0x30);
  boot.serialNumber = u64(sector, 0x48);
  const std::uint64_t clusters = boot.totalSectors / (boot.bytesPerCluster / boot.bytesPerSector);
  if (boot.totalSectors == 0 || boot.totalSectors > (std::uint64_t{1} << 52) || boot.fileTableCluster == 0 ||
      boot.fileTableCluster >= clusters)
    return std::nullopt;
  return boot;
}

}  // namespace velmora::ntfs
