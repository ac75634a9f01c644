#include "ntfs/fixups.h"

#include "ntfs/little_endian.h"

namespace velmora::ntfs {

namespace {
constexpr std::size_t kBlock = 512;
}

Fixups applyFixups(std::span<std::uint8_t> record) {
  const Bytes bytes(record);
  if (!fits(bytes, 0, 8) || record.size() % kBlock != 0) return Fixups::malformed;
  const std::size_t arrayAt = u16(bytes, 4);
  const std::size_t count = u16(bytes, 6);
  // One sequence number, then one saved pair of bytes per block.
  if (count != record.size() / kBlock + 1 || arrayAt % 2 != 0 || arrayAt < 8 ||
      !fits(bytes, arrayAt, 2 * count) || arrayAt + 2 * count > kBlock - 2)
    return Fixups::malformed;
  const std::uint16_t sequence = u16(bytes, arrayAt);
  bool torn = false;
  for (std::size_t block = 1; block < count; ++block) {
    const std::size_t end = block * kBlock - 2;
    if (u16(bytes, end) != sequence) torn = true;
    record[end] = record[arrayAt + 2 * block];
    record[end + 1] = record[arrayAt + 2 * block + 1];
  }
  return torn ? Fixups::torn : Fixups::applied;
}

}  // namespace velmora::ntfs
