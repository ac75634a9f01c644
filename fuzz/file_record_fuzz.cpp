// The file-table record decoder on any bytes: a record from a damaged or hostile
// disk is decoded or refused, never read outside its bytes, and whatever it
// decodes stays within what it was given (runs inside the volume).
#include <cstdlib>
#include <vector>

#include "ntfs/boot_sector.h"
#include "ntfs/file_record.h"

using namespace velmora::ntfs;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::uint64_t kClusters = 0x10000;
  // The bytes as one record of 1024 bytes (or 4096 when they are longer).
  std::vector<std::uint8_t> record(data, data + std::min<std::size_t>(size, 4096));
  record.resize(size > 1024 ? 4096 : 1024);
  FileRecord decoded;
  const RecordState state = decodeRecord(record, {kClusters, true}, decoded);
  if (state == RecordState::decoded || state == RecordState::torn) {
    for (const std::optional<DataStream>* stream : {&decoded.data, &decoded.attributeListStream}) {
      if (!*stream) continue;
      for (const Extent& extent : (*stream)->extents)
        if (!extent.sparse && (extent.lcn >= kClusters || extent.clusters > kClusters - extent.lcn))
          std::abort();
    }
    if (decoded.attributeListStream && decoded.attributeListStream->resident)
      (void)decodeAttributeList(decoded.attributeListStream->residentValue);
  }
  (void)decodeBootSector(std::span<const std::uint8_t>(data, size));
  return 0;
}
