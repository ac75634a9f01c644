#include "fakes/ntfs_image.h"

#include <algorithm>
#include <stdexcept>

#include "platform/utf8.h"

namespace velmora::fakes {
namespace {

constexpr std::uint64_t kUpCaseCluster = 1;
constexpr std::uint64_t kUpCaseClusters = 65536 * 2 / NtfsImage::kClusterBytes;
constexpr std::uint64_t kTableCluster = 48;
constexpr std::uint64_t kRecordsPerCluster = NtfsImage::kClusterBytes / NtfsImage::kRecordBytes;
constexpr std::uint32_t kFirstUserRecord = 16;
constexpr std::uint32_t kTableRecord = 0;
constexpr std::uint32_t kUpCaseRecord = 10;
constexpr std::uint64_t kSerialNumber = 0x5EED'0000'CAFE'F00Dull;
// 1 January 2020, as a file time: every file converts to a DOS time.
constexpr std::uint64_t kFileTime = 132'223'104'000'000'000ull;
// File attributes of a file as Windows leaves a new one.
constexpr std::uint32_t kArchive = 0x20;

void put(std::span<std::uint8_t> bytes, std::size_t at, std::uint64_t value, int count) {
  for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint16_t sequenceOf(std::uint64_t record) {
  return static_cast<std::uint16_t>(record == kTableRecord || record >= kFirstUserRecord ? 1 : record);
}

std::uint64_t referenceTo(std::uint64_t record) { return std::uint64_t{sequenceOf(record)} << 48 | record; }

// One run of a runlist: its header, its length and its offset from the previous
// run's cluster, each in as few bytes as hold it.
void appendRun(std::vector<std::uint8_t>& runs, std::uint64_t clusters, std::int64_t offset) {
  int lengthBytes = 1;
  while (lengthBytes < 8 && clusters >> (8 * lengthBytes) != 0) ++lengthBytes;
  int offsetBytes = 1;
  while (offsetBytes < 8 && (offset < -(std::int64_t{1} << (8 * offsetBytes - 1)) ||
                             offset >= (std::int64_t{1} << (8 * offsetBytes - 1))))
    ++offsetBytes;
  runs.push_back(static_cast<std::uint8_t>(offsetBytes << 4 | lengthBytes));
  for (int i = 0; i < lengthBytes; ++i) runs.push_back(static_cast<std::uint8_t>(clusters >> (8 * i)));
  for (int i = 0; i < offsetBytes; ++i)
    runs.push_back(static_cast<std::uint8_t>(static_cast<std::uint64_t>(offset) >> (8 * i)));
}

// Writes one file record: its header, attributes one after another, the end
// marker, then the update sequence over the end of each sector.
class RecordWriter {
 public:
  RecordWriter(std::uint64_t number, bool folder, std::size_t links) : bytes_(NtfsImage::kRecordBytes, 0) {
    std::copy_n("FILE", 4, bytes_.begin());
    put(bytes_, 0x04, 0x30, 2);  // The update sequence array...
    put(bytes_, 0x06, NtfsImage::kRecordBytes / NtfsImage::kSectorBytes + 1, 2);  // ... and its length.
    put(bytes_, 0x10, sequenceOf(number), 2);
    put(bytes_, 0x12, links, 2);
    put(bytes_, 0x14, kFirstAttribute, 2);
    put(bytes_, 0x16, folder ? 0x03 : 0x01, 2);  // In use, and a folder.
    put(bytes_, 0x1C, NtfsImage::kRecordBytes, 4);
    put(bytes_, 0x2C, number, 4);
  }

  void resident(std::uint32_t type, std::span<const std::uint8_t> value) {
    std::span<std::uint8_t> header = attribute(type, 0x18 + value.size(), false);
    put(header, 0x10, value.size(), 4);
    put(header, 0x14, 0x18, 2);
    std::copy(value.begin(), value.end(), header.begin() + 0x18);
  }

  void nonResident(std::uint32_t type, std::uint64_t clusters, std::uint64_t size,
                   std::span<const std::uint8_t> runs) {
    std::span<std::uint8_t> header = attribute(type, 0x40 + runs.size() + 1, true);
    put(header, 0x18, clusters - 1, 8);  // The last cluster of the stream.
    put(header, 0x20, 0x40, 2);
    put(header, 0x28, clusters * NtfsImage::kClusterBytes, 8);
    put(header, 0x30, size, 8);
    put(header, 0x38, size, 8);
    std::copy(runs.begin(), runs.end(), header.begin() + 0x40);
  }

  std::vector<std::uint8_t> finish() {
    std::span<std::uint8_t> end = room(8);
    put(end, 0, 0xFFFFFFFF, 4);
    put(bytes_, 0x18, at_, 4);
    const std::uint16_t updateSequence = 1;
    put(bytes_, 0x30, updateSequence, 2);
    for (std::size_t block = 1; block <= NtfsImage::kRecordBytes / NtfsImage::kSectorBytes; ++block) {
      const std::size_t last = block * NtfsImage::kSectorBytes - 2;
      bytes_[0x30 + 2 * block] = bytes_[last];
      bytes_[0x31 + 2 * block] = bytes_[last + 1];
      put(bytes_, last, updateSequence, 2);
    }
    return std::move(bytes_);
  }

 private:
  static constexpr std::size_t kFirstAttribute = 0x38;

  std::span<std::uint8_t> room(std::size_t length) {
    // The last two bytes hold the update sequence: nothing may lie there.
    if (length > bytes_.size() - 2 - at_) throw std::length_error("the record's attributes do not fit");
    std::span<std::uint8_t> room(bytes_.data() + at_, length);
    at_ += length;
    return room;
  }

  std::span<std::uint8_t> attribute(std::uint32_t type, std::size_t length, bool nonResident) {
    length = (length + 7) / 8 * 8;
    std::span<std::uint8_t> header = room(length);
    put(header, 0, type, 4);
    put(header, 4, length, 4);
    header[8] = nonResident ? 1 : 0;
    put(header, 0x0E, attributes_++, 2);
    put(bytes_, 0x28, attributes_, 2);
    return header;
  }

  std::vector<std::uint8_t> bytes_;
  std::size_t at_ = kFirstAttribute;
  std::uint16_t attributes_ = 0;
};

void standardInformation(RecordWriter& writer, std::uint32_t attributes) {
  std::vector<std::uint8_t> value(0x48, 0);
  for (std::size_t time = 0; time < 4; ++time) put(value, 8 * time, kFileTime, 8);
  put(value, 0x20, attributes, 4);
  writer.resident(0x10, value);
}

void fileName(RecordWriter& writer, std::uint64_t parent, std::u16string_view name, bool folder) {
  if (name.empty() || name.size() > 255) throw std::invalid_argument("a name of 1 to 255 units");
  std::vector<std::uint8_t> value(0x42 + 2 * name.size(), 0);
  put(value, 0, referenceTo(parent), 8);
  for (std::size_t time = 0; time < 4; ++time) put(value, 8 + 8 * time, kFileTime, 8);
  put(value, 0x38, folder ? 0x10000000 : kArchive, 4);
  value[0x40] = static_cast<std::uint8_t>(name.size());
  value[0x41] = 1;  // A Win32 name.
  for (std::size_t i = 0; i < name.size(); ++i) put(value, 0x42 + 2 * i, name[i], 2);
  writer.resident(0x30, value);
}

// The $UpCase table: ASCII and Latin-1 letters to upper case, the rest as they are.
std::vector<std::uint8_t> upCaseTable() {
  std::vector<std::uint8_t> table(kUpCaseClusters * NtfsImage::kClusterBytes);
  for (std::uint32_t unit = 0; unit < 65536; ++unit) {
    std::uint32_t upper = unit;
    if ((unit >= 'a' && unit <= 'z') || (unit >= 0xE0 && unit <= 0xFE && unit != 0xF7)) upper = unit - 0x20;
    if (unit == 0xFF) upper = 0x178;
    put(table, 2 * unit, upper, 2);
  }
  return table;
}

}  // namespace

std::uint32_t NtfsImage::add(std::uint32_t parent, std::string_view name, bool folder, std::uint64_t size) {
  records_.push_back({folder, size, {}});
  const auto number = static_cast<std::uint32_t>(kFirstUserRecord + records_.size() - 1);
  addName(number, parent, name);
  return number;
}

std::uint32_t NtfsImage::addFolder(std::uint32_t parent, std::string_view name) {
  return add(parent, name, true, 0);
}

std::uint32_t NtfsImage::addFile(std::uint32_t parent, std::string_view name, std::uint64_t size) {
  return add(parent, name, false, size);
}

void NtfsImage::addName(std::uint32_t record, std::uint32_t parent, std::string_view name) {
  records_.at(record - kFirstUserRecord).names.push_back({parent, platform::utf8::toUtf16Names(name)});
}

std::uint64_t NtfsImage::tableRecords() const {
  // Whole clusters in each of the two runs, and room to spare as NTFS keeps it.
  const std::uint64_t step = 2 * kRecordsPerCluster;
  return std::max<std::uint64_t>(64, (kFirstUserRecord + records_.size() + step - 1) / step * step);
}

std::uint64_t NtfsImage::firstRunClusters() const { return tableRecords() / kRecordsPerCluster / 2; }

std::uint64_t NtfsImage::secondRunCluster() const {
  const std::uint64_t firstEnd = kTableCluster + firstRunClusters();
  if (overlappingClusters > firstRunClusters())
    throw std::invalid_argument("an overlap beyond the first run");
  return overlappingClusters != 0 ? firstEnd - overlappingClusters : firstEnd + 1;
}

std::uint64_t NtfsImage::totalClusters() const {
  return secondRunCluster() + tableRecords() / kRecordsPerCluster - firstRunClusters() + 16;
}

std::uint64_t NtfsImage::sizeBytes() const { return totalClusters() * kClusterBytes; }

platform::NtfsVolumeData NtfsImage::volumeData() const {
  platform::NtfsVolumeData data;
  data.serialNumber = kSerialNumber;
  data.totalSectors = sizeBytes() / kSectorBytes;
  data.bytesPerSector = kSectorBytes;
  data.bytesPerCluster = kClusterBytes;
  data.bytesPerRecord = kRecordBytes;
  data.fileTableCluster = kTableCluster;
  data.fileTableValidBytes = answeredValidBytes.value_or(tableRecords() * kRecordBytes);
  return data;
}

std::vector<std::uint8_t> NtfsImage::record(std::uint64_t number) const {
  if (number >= kFirstUserRecord) {
    if (number - kFirstUserRecord >= records_.size()) return std::vector<std::uint8_t>(kRecordBytes, 0);
    const Record& file = records_[number - kFirstUserRecord];
    RecordWriter writer(number, file.folder, file.names.size());
    standardInformation(writer, file.folder ? 0 : kArchive);
    for (const Name& name : file.names) fileName(writer, name.parent, name.text, file.folder);
    if (!file.folder) writer.resident(0x80, std::vector<std::uint8_t>(file.size, 0));
    return writer.finish();
  }
  std::vector<std::uint8_t> runs;
  if (number == kTableRecord) {
    const std::uint64_t clusters = tableRecords() / kRecordsPerCluster;
    appendRun(runs, firstRunClusters(), static_cast<std::int64_t>(kTableCluster));
    appendRun(runs, clusters - firstRunClusters(),
              static_cast<std::int64_t>(secondRunCluster()) - static_cast<std::int64_t>(kTableCluster));
    RecordWriter writer(number, false, 1);
    standardInformation(writer, 0x6);  // Hidden, system.
    fileName(writer, kRoot, u"$MFT", false);
    writer.nonResident(0x80, clusters, tableRecords() * kRecordBytes, runs);
    return writer.finish();
  }
  if (number == kRoot) {
    RecordWriter writer(number, true, 1);
    standardInformation(writer, 0x6);
    fileName(writer, kRoot, u".", true);
    return writer.finish();
  }
  if (number == kUpCaseRecord) {
    appendRun(runs, kUpCaseClusters, static_cast<std::int64_t>(kUpCaseCluster));
    RecordWriter writer(number, false, 1);
    standardInformation(writer, 0x6);
    fileName(writer, kRoot, u"$UpCase", false);
    writer.nonResident(0x80, kUpCaseClusters, kUpCaseClusters * kClusterBytes, runs);
    return writer.finish();
  }
  // The volume's other files are not needed to read the table: left unused.
  return std::vector<std::uint8_t>(kRecordBytes, 0);
}

void NtfsImage::write(const std::function<void(std::span<const std::uint8_t>)>& sink) const {
  const std::vector<std::uint8_t> zeros(kClusterBytes, 0);
  std::uint64_t cluster = 0;
  const auto zerosUpTo = [&](std::uint64_t end) {
    for (; cluster < end; ++cluster) sink(zeros);
  };
  const auto recordsFrom = [&](std::uint64_t first, std::uint64_t end) {
    for (std::uint64_t number = first; number < end; ++number) sink(record(number));
    cluster += (end - first) / kRecordsPerCluster;
  };

  std::vector<std::uint8_t> boot(kClusterBytes, 0);
  std::copy_n("\xEB\x52\x90NTFS    ", 11, boot.begin());
  put(boot, 0x0B, kSectorBytes, 2);
  boot[0x0D] = kClusterBytes / kSectorBytes;
  boot[0x15] = 0xF8;  // A fixed disk.
  put(boot, 0x28, sizeBytes() / kSectorBytes, 8);
  put(boot, 0x30, kTableCluster, 8);
  put(boot, 0x38, kUpCaseCluster + kUpCaseClusters, 8);  // The mirror's place: never read here.
  boot[0x40] = 0xF6;                                     // Records of 2^10 bytes.
  boot[0x44] = 1;
  put(boot, 0x48, kSerialNumber, 8);
  put(boot, 0x1FE, 0xAA55, 2);
  sink(boot);
  sink(upCaseTable());
  cluster = kUpCaseCluster + kUpCaseClusters;
  zerosUpTo(kTableCluster);
  // Where the second run overlaps the first, its records are the ones on disk.
  const std::uint64_t firstRunRecords = firstRunClusters() * kRecordsPerCluster;
  recordsFrom(0, firstRunRecords - overlappingClusters * kRecordsPerCluster);
  zerosUpTo(secondRunCluster());
  recordsFrom(firstRunRecords, tableRecords());
  zerosUpTo(totalClusters());
}

std::vector<std::uint8_t> NtfsImage::bytes() const {
  std::vector<std::uint8_t> image;
  image.reserve(sizeBytes());
  write([&image](std::span<const std::uint8_t> piece) {
    image.insert(image.end(), piece.begin(), piece.end());
  });
  return image;
}

}  // namespace velmora::fakes
