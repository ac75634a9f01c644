#include "ntfs/runlist.h"

namespace velmora::ntfs {
namespace {

// A little-endian integer of 1 to 8 bytes, sign-extended when asked.
std::uint64_t readVarying(Bytes bytes, std::size_t at, std::size_t count, bool isSigned) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) value |= std::uint64_t{bytes[at + i]} << (8 * i);
  if (isSigned && count < 8 && (bytes[at + count - 1] & 0x80) != 0) value |= ~std::uint64_t{0} << (8 * count);
  return value;
}

}  // namespace

std::optional<std::vector<Extent>> decodeRunlist(Bytes runs, std::uint64_t firstVcn,
                                                 std::uint64_t volumeClusters) {
  std::vector<Extent> extents;
  std::uint64_t vcn = firstVcn;
  std::int64_t lcn = 0;
  std::size_t at = 0;
  for (;;) {
    if (!fits(runs, at, 1)) return std::nullopt;
    const std::uint8_t header = runs[at++];
    if (header == 0) return extents;
    const std::size_t lengthBytes = header & 0x0F;
    const std::size_t offsetBytes = header >> 4;
    if (lengthBytes == 0 || lengthBytes > 8 || offsetBytes > 8 || !fits(runs, at, lengthBytes + offsetBytes))
      return std::nullopt;
    const std::uint64_t clusters = readVarying(runs, at, lengthBytes, false);
    at += lengthBytes;
    if (clusters == 0 || clusters > volumeClusters || vcn > UINT64_MAX - clusters) return std::nullopt;
    Extent extent{vcn, 0, clusters, offsetBytes == 0};
    if (!extent.sparse) {
      const auto offset = static_cast<std::int64_t>(readVarying(runs, at, offsetBytes, true));
      at += offsetBytes;
      // Computed in unsigned arithmetic: a hostile offset must not overflow a signed sum.
      lcn = static_cast<std::int64_t>(static_cast<std::uint64_t>(lcn) + static_cast<std::uint64_t>(offset));
      if (lcn < 0 || static_cast<std::uint64_t>(lcn) >= volumeClusters ||
          clusters > volumeClusters - static_cast<std::uint64_t>(lcn))
        return std::nullopt;
      extent.lcn = static_cast<std::uint64_t>(lcn);
    }
    extents.push_back(extent);
    vcn += clusters;
  }
}

}  // namespace velmora::ntfs
