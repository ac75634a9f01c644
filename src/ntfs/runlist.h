#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ntfs/little_endian.h"

namespace velmora::ntfs {

// One run of a non-resident attribute: `clusters` clusters of the stream from
// virtual cluster `vcn` on, stored from logical cluster `lcn` of the volume, or
// nowhere (a sparse run, read as zeros).
struct Extent {
  std::uint64_t vcn = 0;
  std::uint64_t lcn = 0;
  std::uint64_t clusters = 0;
  bool sparse = false;
};

// Decodes a runlist (mapping pairs) starting at virtual cluster firstVcn: each
// run is a header byte (low nibble: bytes of the length, high nibble: bytes of the
// signed offset from the previous run's cluster, none for a sparse run), the
// length and the offset; a zero header ends it. Nothing for a list that runs past
// its bytes, has a run of no clusters, or leads before cluster 0 or beyond
// volumeClusters.
std::optional<std::vector<Extent>> decodeRunlist(Bytes runs, std::uint64_t firstVcn,
                                                 std::uint64_t volumeClusters);

}  // namespace velmora::ntfs
