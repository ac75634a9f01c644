#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ntfs/fixups.h"
#include "ntfs/little_endian.h"
#include "ntfs/runlist.h"

namespace velmora::ntfs {

// Attribute types this reader looks at.
namespace attribute_type {
inline constexpr std::uint32_t standardInformation = 0x10;
inline constexpr std::uint32_t attributeList = 0x20;
inline constexpr std::uint32_t fileName = 0x30;
inline constexpr std::uint32_t data = 0x80;
inline constexpr std::uint32_t end = 0xFFFFFFFF;
}  // namespace attribute_type

// The namespaces of a file name: each long name is POSIX or Win32 (or both Win32
// and DOS when it is also a valid 8.3 name); a DOS name beside a long one is the
// long name's short alias, never a name of its own.
enum class NameSpace : std::uint8_t { posix = 0, win32 = 1, dos = 2, win32AndDos = 3 };

// One FILE_NAME attribute: a name of the file in the folder `parent` (a file
// reference, sequence number included).
struct FileName {
  std::uint64_t parent = 0;
  NameSpace space = NameSpace::posix;
  std::u16string name;
};

// The unnamed data stream's sizes and, for a non-resident one, the runs that this
// record holds of it (a long stream's runs may go on in other records).
struct DataStream {
  std::uint64_t lowestVcn = 0;
  std::uint64_t size = 0;         // Valid only in the piece with lowestVcn 0.
  std::uint64_t initialized = 0;  // Likewise.
  bool resident = false;
  std::vector<std::uint8_t> residentValue;  // Kept only when asked for.
  std::vector<Extent> extents;
};

// An ATTRIBUTE_LIST entry: where a piece of an attribute of the file lies.
struct AttributeListEntry {
  std::uint32_t type = 0;
  bool named = false;
  std::uint64_t lowestVcn = 0;
  std::uint64_t record = 0;  // File reference of the record holding it.
};

// One file record as decoded from the table, with what the scans need of it.
struct FileRecord {
  Fixups fixups = Fixups::applied;
  bool inUse = false;
  bool directory = false;
  std::uint16_t sequence = 0;
  std::uint64_t baseRecord = 0;  // File reference of the base record; 0 for a base record.
  std::vector<FileName> names;
  bool hasStandardInformation = false;
  std::uint32_t attributes = 0;     // The Windows file attribute bits.
  std::uint64_t lastWriteTime = 0;  // File time of the last write.
  std::optional<DataStream> data;   // The unnamed data stream's piece in this record.
  bool hasAttributeList = false;
  std::optional<DataStream> attributeListStream;  // Where the list lies (resident value or runs).
};

// What decoding a record gives.
enum class RecordState {
  unused,     // Never written (zeros), or not in use: nothing to read in it.
  decoded,    // A whole record, decoded.
  torn,       // Its fixups failed; what was decoded is only a hint.
  malformed,  // Not a file record, or one whose structure does not add up.
};

struct RecordOptions {
  std::uint64_t volumeClusters = 0;  // Runs must stay inside the volume.
  bool keepResidentData = false;     // Keep a resident unnamed stream's bytes.
};

// Decodes one file record of the table in place: applies its fixups, then reads
// the header and walks its attributes, every offset and length checked against
// the record's bytes. Fills out with the names, the standard information, the
// unnamed data stream and the attribute list.
RecordState decodeRecord(std::span<std::uint8_t> bytes, const RecordOptions& options, FileRecord& out);

// The entries of an attribute list's bytes; nothing when they do not add up.
std::optional<std::vector<AttributeListEntry>> decodeAttributeList(Bytes list);

}  // namespace velmora::ntfs
