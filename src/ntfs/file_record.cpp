#include "ntfs/file_record.h"

#include <algorithm>

namespace velmora::ntfs {
namespace {

constexpr std::uint16_t kInUse = 0x01;
constexpr std::uint16_t kDirectory = 0x02;

// The value of a resident attribute whose header starts at `at` and takes `length`
// bytes; nothing when it does not lie inside the attribute.
std::optional<Bytes> residentValue(Bytes record, std::size_t at, std::size_t length) {
  if (length < 0x18) return std::nullopt;
  const std::size_t valueLength = u32(record, at + 0x10);
  const std::size_t valueAt = u16(record, at + 0x14);
  if (valueAt > length || valueLength > length - valueAt) return std::nullopt;
  return record.subspan(at + valueAt, valueLength);
}

bool decodeFileName(Bytes value, FileName& out) {
  if (!fits(value, 0, 0x42)) return false;
  const std::size_t units = value[0x40];
  if (units == 0 || !fits(value, 0x42, 2 * units)) return false;
  out.parent = u64(value, 0);
  out.space = static_cast<NameSpace>(value[0x41] & 3);
  out.name.resize(units);
  for (std::size_t i = 0; i < units; ++i) out.name[i] = static_cast<char16_t>(u16(value, 0x42 + 2 * i));
  return true;
}

// A non-resident attribute's sizes and runs. Sizes are checked against each other
// so that nothing read later trusts a size larger than its allocation.
bool decodeNonResident(Bytes record, std::size_t at, std::size_t length, std::uint64_t volumeClusters,
                       DataStream& out) {
  if (length < 0x40) return false;
  out.resident = false;
  out.lowestVcn = u64(record, at + 0x10);
  const std::size_t runsAt = u16(record, at + 0x20);
  out.size = u64(record, at + 0x30);
  out.initialized = u64(record, at + 0x38);
  if (out.lowestVcn == 0 && (out.initialized > out.size || out.size > u64(record, at + 0x28))) return false;
  if (runsAt > length) return false;
  std::optional<std::vector<Extent>> extents =
      decodeRunlist(record.subspan(at + runsAt, length - runsAt), out.lowestVcn, volumeClusters);
  if (!extents) return false;
  out.extents = std::move(*extents);
  return true;
}

}  // namespace

RecordState decodeRecord(std::span<std::uint8_t> bytes, const RecordOptions& options, FileRecord& out) {
  out.names.clear();
  out.hasStandardInformation = false;
  out.attributes = 0;
  out.lastWriteTime = 0;
  out.data.reset();
  out.hasAttributeList = false;
  out.attributeListStream.reset();
  out.inUse = false;
  const Bytes record(bytes);
  if (!fits(record, 0, 0x30)) return RecordState::malformed;
  if (std::all_of(record.begin(), record.begin() + 4, [](std::uint8_t b) { return b == 0; }))
    return RecordState::unused;
  if (!std::equal(record.begin(), record.begin() + 4, "FILE")) return RecordState::malformed;
  out.fixups = applyFixups(bytes);
  if (out.fixups == Fixups::malformed) return RecordState::malformed;
  const std::uint16_t flags = u16(record, 0x16);
  out.inUse = (flags & kInUse) != 0;
  out.directory = (flags & kDirectory) != 0;
  out.sequence = u16(record, 0x10);
  out.baseRecord = u64(record, 0x20);
  if (!out.inUse && out.fixups == Fixups::applied) return RecordState::unused;
  const std::size_t used = std::min<std::size_t>(u32(record, 0x18), record.size());
  std::size_t at = u16(record, 0x14);
  bool ended = false;
  while (!ended) {
    if (!fits(record, at, 4) || at + 4 > used) break;
    const std::uint32_t type = u32(record, at);
    if (type == attribute_type::end) {
      ended = true;
      break;
    }
    if (!fits(record, at, 0x10)) break;
    const std::size_t length = u32(record, at + 4);
    if (length < 0x10 || length % 8 != 0 || at + length > used) break;
    const bool nonResident = record[at + 8] != 0;
    const bool named = record[at + 9] != 0;
    if (type == attribute_type::standardInformation && !nonResident) {
      const std::optional<Bytes> value = residentValue(record, at, length);
      if (!value || !fits(*value, 0, 0x24)) break;
      out.hasStandardInformation = true;
      out.lastWriteTime = u64(*value, 0x08);
      out.attributes = u32(*value, 0x20);
    } else if (type == attribute_type::fileName && !nonResident) {
      const std::optional<Bytes> value = residentValue(record, at, length);
      FileName name;
      if (!value || !decodeFileName(*value, name)) break;
      out.names.push_back(std::move(name));
    } else if ((type == attribute_type::data && !named) || type == attribute_type::attributeList) {
      DataStream stream;
      if (nonResident) {
        if (!decodeNonResident(record, at, length, options.volumeClusters, stream)) break;
      } else {
        const std::optional<Bytes> value = residentValue(record, at, length);
        if (!value) break;
        stream.resident = true;
        stream.size = stream.initialized = value->size();
        if (options.keepResidentData || type == attribute_type::attributeList)
          stream.residentValue.assign(value->begin(), value->end());
      }
      if (type == attribute_type::data) {
        out.data = std::move(stream);
      } else {
        out.hasAttributeList = true;
        out.attributeListStream = std::move(stream);
      }
    }
    at += length;
  }
  if (out.fixups == Fixups::torn) return RecordState::torn;
  return ended ? RecordState::decoded : RecordState::malformed;
}

std::optional<std::vector<AttributeListEntry>> decodeAttributeList(Bytes list) {
  std::vector<AttributeListEntry> entries;
  std::size_t at = 0;
  while (at < list.size()) {
    if (!fits(list, at, 0x1A)) return std::nullopt;
    const std::size_t length = u16(list, at + 4);
    if (length < 0x1A || !fits(list, at, length)) return std::nullopt;
    entries.push_back({u32(list, at), list[at + 6] != 0, u64(list, at + 8), u64(list, at + 0x10)});
    at += length;
  }
  return entries;
}

}  // namespace velmora::ntfs
