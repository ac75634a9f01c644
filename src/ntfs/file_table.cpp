#include "ntfs/file_table.h"

#include <algorithm>
#include <new>
#include <span>

#include "ntfs/collation.h"
#include "ntfs/file_record.h"
#include "platform/utf8.h"

namespace velmora::ntfs {
namespace {

constexpr std::uint32_t kFileTableRecord = 0;
constexpr std::uint32_t kUpCaseRecord = 10;
constexpr std::size_t kUpCaseBytes = 65536 * 2;
// The table is read this many bytes at a time (rounded to whole records).
constexpr std::size_t kChunkBytes = 4u << 20;

namespace node_flag {
constexpr std::uint8_t inUse = 0x1;
constexpr std::uint8_t directory = 0x2;
constexpr std::uint8_t torn = 0x4;
constexpr std::uint8_t listNormally = 0x8;  // A folder whose entries come from an ordinary listing.
}  // namespace node_flag

// Whether Windows could have made this name. "." and ".." mean the folder and its
// parent in every path, and a backslash, slash, colon or NUL would split a path
// or name a stream: joined to its folder's path, such a name would point at
// another file than the one it stands for, maybe one in an excluded folder.
bool isWindowsName(std::u16string_view name) {
  if (name == u"." || name == u"..") return false;
  return std::none_of(name.begin(), name.end(), [](char16_t unit) {
    return unit == u'\\' || unit == u'/' || unit == u':' || unit == 0;
  });
}

bool matches(const BootSector& boot, const platform::NtfsVolumeData& data) {
  return data.bytesPerSector == boot.bytesPerSector && data.bytesPerCluster == boot.bytesPerCluster &&
         data.bytesPerRecord == boot.bytesPerRecord && data.fileTableCluster == boot.fileTableCluster &&
         data.serialNumber == boot.serialNumber;
}

}  // namespace

// Reads a volume's table into a FileTable: first the boot sector, the table's own
// record with its runs and the $UpCase table, then every record in order.
class FileTableReader {
 public:
  FileTableReader(platform::RawVolume& volume, const std::function<bool()>& stopRequested)
      : volume_(volume), stopRequested_(stopRequested) {}

  std::optional<FileTable> read() {
    if (!readBootSector() || !readTableRuns() || !readUpCase() || !readRecords()) return std::nullopt;
    if (!arrangeLinks()) return std::nullopt;
    return std::move(table_);
  }

 private:
  const BootSector& boot() const { return table_.boot_; }
  std::uint64_t volumeClusters() const {
    return boot().totalSectors / (boot().bytesPerCluster / boot().bytesPerSector);
  }

  bool readBootSector() {
    // 4096 bytes: a whole sector whatever the sector size, read at offset 0.
    std::vector<std::uint8_t> sector(4096);
    if (!volume_.read(0, sector)) return false;
    const std::optional<BootSector> boot = decodeBootSector(sector);
    if (!boot) return false;
    table_.boot_ = *boot;
    // Where the volume answers for its own layout, the boot sector must agree.
    volumeData_ = volume_.ntfsVolumeData();
    return !volumeData_ || matches(*boot, *volumeData_);
  }

  // Reads `into.size()` bytes of the stream that `extents` map, from byte `at` of
  // the stream on. Sparse runs are refused: the streams read here never have them.
  bool readStream(const std::vector<Extent>& extents, std::uint64_t at, std::span<std::uint8_t> into) {
    const std::uint64_t cluster = boot().bytesPerCluster;
    while (!into.empty()) {
      const std::uint64_t vcn = at / cluster;
      auto extent = std::find_if(extents.begin(), extents.end(),
                                 [vcn](const Extent& e) { return vcn >= e.vcn && vcn - e.vcn < e.clusters; });
      if (extent == extents.end() || extent->sparse) return false;
      const std::uint64_t within = at - extent->vcn * cluster;
      const std::uint64_t count = std::min<std::uint64_t>(into.size(), extent->clusters * cluster - within);
      if (!volume_.read(extent->lcn * cluster + within, into.first(count))) return false;
      into = into.subspan(count);
      at += count;
    }
    return true;
  }

  bool readRecord(std::uint64_t number, FileRecord& out, bool keepResidentData = false) {
    std::vector<std::uint8_t> bytes(boot().bytesPerRecord);
    if (!readStream(tableExtents_, number * boot().bytesPerRecord, bytes)) return false;
    const RecordOptions options{volumeClusters(), keepResidentData};
    return decodeRecord(bytes, options, out) == RecordState::decoded && out.inUse;
  }

  // The table's own record at the cluster the boot sector names, and the runs of
  // its data, gathered from every record its attribute list names.
  bool readTableRuns() {
    std::vector<std::uint8_t> bytes(boot().bytesPerRecord);
    if (!volume_.read(boot().fileTableCluster * boot().bytesPerCluster, bytes)) return false;
    FileRecord record;
    if (decodeRecord(bytes, {volumeClusters(), false}, record) != RecordState::decoded || !record.inUse ||
        !record.data || record.data->resident || record.data->lowestVcn != 0)
      return false;
    tableBytes_ = record.data->size;
    initializedBytes_ = record.data->initialized;
    tableExtents_ = record.data->extents;
    if (record.hasAttributeList && !addListedTableRuns(*record.attributeListStream)) return false;
    std::sort(tableExtents_.begin(), tableExtents_.end(),
              [](const Extent& a, const Extent& b) { return a.vcn < b.vcn; });
    // The runs must map the table from its first cluster to its end, without gaps.
    std::uint64_t next = 0;
    for (const Extent& extent : tableExtents_) {
      if (extent.vcn != next || extent.sparse) return false;
      next += extent.clusters;
    }
    const std::uint64_t records = tableBytes_ / boot().bytesPerRecord;
    return next * boot().bytesPerCluster >= tableBytes_ && records > kFirstUserRecord &&
           records < UINT32_MAX && fitsVolume();
  }

  // Whether the volume could hold the table as its runs lay it out: no larger than
  // the volume, starting where the boot sector says, no cluster in two runs or
  // under the boot sector, and no more of it written than the file system says.
  // NTFS lays out no other table; a record read through overlapping runs could
  // stand at two numbers at once. (A table that grows between the question and the
  // read also falls back: rare, and the walk is always right.)
  bool fitsVolume() const {
    if (tableBytes_ > boot().volumeBytes() || tableExtents_.front().lcn != boot().fileTableCluster)
      return false;
    if (volumeData_ && initializedBytes_ > volumeData_->fileTableValidBytes) return false;
    std::vector<Extent> byCluster = tableExtents_;
    std::sort(byCluster.begin(), byCluster.end(),
              [](const Extent& a, const Extent& b) { return a.lcn < b.lcn; });
    std::uint64_t firstFree = 1;  // Cluster 0 holds the boot sector.
    for (const Extent& extent : byCluster) {
      if (extent.lcn < firstFree) return false;
      firstFree = extent.lcn + extent.clusters;
    }
    return true;
  }

  bool addListedTableRuns(const DataStream& listStream) {
    std::vector<std::uint8_t> list;
    if (listStream.resident) {
      list = listStream.residentValue;
    } else {
      if (listStream.size > (1u << 20)) return false;
      // Read in whole sectors, then cut to the list's size.
      const std::uint64_t sector = boot().bytesPerSector;
      list.resize((listStream.size + sector - 1) / sector * sector);
      if (!readStream(listStream.extents, 0, list)) return false;
      list.resize(listStream.size);
    }
    const std::optional<std::vector<AttributeListEntry>> entries = decodeAttributeList(list);
    if (!entries) return false;
    for (const AttributeListEntry& entry : *entries) {
      if (entry.type != attribute_type::data || entry.named || recordOf(entry.record) == kFileTableRecord)
        continue;
      // Extension records lie early in the table, within the runs known already.
      FileRecord extension;
      if (!readRecord(recordOf(entry.record), extension) || !extension.data || extension.data->resident ||
          recordOf(extension.baseRecord) != kFileTableRecord)
        return false;
      tableExtents_.insert(tableExtents_.end(), extension.data->extents.begin(),
                           extension.data->extents.end());
    }
    return true;
  }

  bool readUpCase() {
    FileRecord record;
    if (!readRecord(kUpCaseRecord, record, true) || !record.data || record.data->lowestVcn != 0) return false;
    std::vector<std::uint8_t> table;
    if (record.data->resident) {
      table = record.data->residentValue;
    } else {
      if (record.data->size != kUpCaseBytes || record.data->initialized != kUpCaseBytes) return false;
      table.resize(kUpCaseBytes);
      if (!readStream(record.data->extents, 0, table)) return false;
    }
    collation_.emplace(table);
    return true;
  }

  // Every record of the table, read in chunks of whole records, each decoded in
  // the buffer and forgotten.
  bool readRecords() {
    const std::size_t recordBytes = boot().bytesPerRecord;
    const std::uint64_t records = tableBytes_ / recordBytes;
    table_.nodes_.resize(records);
    // Records past the initialized part of the table were never written.
    const std::uint64_t readable =
        std::min<std::uint64_t>(records, (initializedBytes_ + recordBytes - 1) / recordBytes);
    const std::size_t perChunk = std::max<std::size_t>(1, kChunkBytes / recordBytes);
    std::vector<std::uint8_t> buffer(perChunk * recordBytes);
    FileRecord record;
    const RecordOptions options{volumeClusters(), false};
    for (std::uint64_t first = 0; first < readable; first += perChunk) {
      if (stopRequested_ && stopRequested_()) return false;
      const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(perChunk, readable - first));
      const std::span<std::uint8_t> chunk(buffer.data(), count * recordBytes);
      if (!readStream(tableExtents_, first * recordBytes, chunk)) return false;
      for (std::size_t i = 0; i < count; ++i) {
        const auto number = static_cast<std::uint32_t>(first + i);
        const RecordState state = decodeRecord(chunk.subspan(i * recordBytes, recordBytes), options, record);
        if (state == RecordState::malformed) return false;
        if (state == RecordState::torn && !noteTorn(number, record)) return false;
        if (state == RecordState::decoded && !take(number, record)) return false;
      }
    }
    return true;
  }

  // A decoded, in-use record: its node (for a base record) and its names.
  bool take(std::uint32_t number, const FileRecord& record) {
    std::uint32_t base = number;
    std::uint16_t baseSequence = record.sequence;
    if (record.baseRecord != 0) {
      if (recordOf(record.baseRecord) >= table_.nodes_.size()) return false;
      base = static_cast<std::uint32_t>(recordOf(record.baseRecord));
      baseSequence = sequenceOf(record.baseRecord);
    } else {
      if (!record.hasStandardInformation) return false;
      FileTable::Node& node = table_.nodes_[number];
      node.sequence = record.sequence;
      node.attributes = record.attributes;
      node.lastWriteTime = record.lastWriteTime;
      node.flags |= node_flag::inUse | (record.directory ? node_flag::directory : 0);
    }
    if (record.data && record.data->lowestVcn == 0) table_.nodes_[base].size = record.data->size;
    for (const FileName& name : record.names) {
      if (base >= kFirstUserRecord && !isWindowsName(name.name)) return false;
      if (name.space == NameSpace::dos) continue;
      if (recordOf(name.parent) >= table_.nodes_.size() || table_.names_.size() > UINT32_MAX - 256)
        return false;
      table_.links_.push_back({static_cast<std::uint32_t>(recordOf(name.parent)), base,
                               static_cast<std::uint32_t>(table_.names_.size()),
                               static_cast<std::uint16_t>(name.name.size()), sequenceOf(name.parent),
                               baseSequence});
      table_.names_ += name.name;
    }
    return true;
  }

  // A record whose fixups failed: its names, read as a hint, say which folders
  // hold it; those are listed the ordinary way. A torn record that names no folder
  // leaves nothing to go by.
  bool noteTorn(std::uint32_t number, const FileRecord& record) {
    table_.nodes_[number].flags |= node_flag::torn;
    bool named = false;
    for (const FileName& name : record.names) {
      if (recordOf(name.parent) >= table_.nodes_.size()) continue;
      tornParents_.push_back({static_cast<std::uint32_t>(recordOf(name.parent)), sequenceOf(name.parent)});
      named = true;
    }
    return named;
  }

  bool isFolder(std::uint32_t record, std::uint16_t sequence) const {
    const FileTable::Node& node = table_.nodes_[record];
    return (node.flags & (node_flag::inUse | node_flag::directory)) ==
               (node_flag::inUse | node_flag::directory) &&
           node.sequence == sequence;
  }

  // Keeps the links that join an in-use file to an in-use folder of the right
  // generation, groups them by folder and puts each group in collation order.
  bool arrangeLinks() {
    auto& nodes = table_.nodes_;
    for (const auto& [folder, sequence] : tornParents_) {
      if (!isFolder(folder, sequence)) return false;
      nodes[folder].flags |= node_flag::listNormally;
    }
    // Kept links are moved to the front in place: on a drive of a million names a
    // second array of them would be twenty megabytes more at the peak.
    std::vector<FileTable::Link>& links = table_.links_;
    std::size_t kept = 0;
    for (const FileTable::Link& link : links) {
      const FileTable::Node& child = nodes[link.child];
      if ((child.flags & node_flag::torn) != 0) {
        // The base record of this name was torn: its folder is listed normally.
        if (!isFolder(link.parent, link.parentSequence)) return false;
        nodes[link.parent].flags |= node_flag::listNormally;
        continue;
      }
      if ((child.flags & node_flag::inUse) == 0 || child.sequence != link.childSequence) continue;
      if (!isFolder(link.parent, link.parentSequence)) continue;
      links[kept++] = link;
    }
    links.resize(kept);
    // Grouped by folder, each group in collation order.
    const std::u16string_view names(table_.names_);
    std::sort(links.begin(), links.end(), [&](const FileTable::Link& a, const FileTable::Link& b) {
      if (a.parent != b.parent) return a.parent < b.parent;
      return collation_->less(names.substr(a.nameAt, a.nameUnits), names.substr(b.nameAt, b.nameUnits));
    });
    table_.firstLink_.assign(nodes.size() + 1, 0);
    for (const FileTable::Link& link : links) ++table_.firstLink_[link.parent + 1];
    for (std::size_t i = 1; i < table_.firstLink_.size(); ++i)
      table_.firstLink_[i] += table_.firstLink_[i - 1];
    return true;
  }

  platform::RawVolume& volume_;
  const std::function<bool()>& stopRequested_;
  FileTable table_;
  std::optional<platform::NtfsVolumeData> volumeData_;  // When the volume answers for its layout.
  std::vector<Extent> tableExtents_;
  std::uint64_t tableBytes_ = 0;
  std::uint64_t initializedBytes_ = 0;
  std::optional<Collation> collation_;
  std::vector<std::pair<std::uint32_t, std::uint16_t>> tornParents_;
};

std::optional<FileTable> FileTable::read(platform::RawVolume& volume,
                                         const std::function<bool()>& stopRequested) {
  try {
    return FileTableReader(volume, stopRequested).read();
  } catch (const std::bad_alloc&) {
    // A table that claims more records than memory holds (a damaged or hostile
    // volume can claim billions) is left to the walk.
    return std::nullopt;
  }
}

bool FileTable::entriesKnown(std::uint32_t folder) const {
  return folder < nodes_.size() && (nodes_[folder].flags & node_flag::listNormally) == 0;
}

void FileTable::entriesOf(std::uint32_t folder, std::vector<TableEntry>& out) const {
  out.clear();
  if (folder >= nodes_.size()) return;
  for (std::uint32_t i = firstLink_[folder]; i < firstLink_[folder + 1]; ++i) {
    const Link& link = links_[i];
    if (link.child < kFirstUserRecord) continue;
    const Node& node = nodes_[link.child];
    TableEntry entry;
    entry.record = link.child;
    entry.name =
        platform::utf8::fromUtf16Names(std::u16string_view(names_).substr(link.nameAt, link.nameUnits));
    entry.nameUnits = link.nameUnits;
    entry.directory = (node.flags & node_flag::directory) != 0;
    entry.attributes = node.attributes;
    entry.size = node.size;
    entry.lastWriteTime = node.lastWriteTime;
    out.push_back(std::move(entry));
  }
}

}  // namespace velmora::ntfs
