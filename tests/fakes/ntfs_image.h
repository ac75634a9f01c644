#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/raw_volume.h"

namespace velmora::fakes {

// An NTFS volume written from nothing, with what a reader of its file table reads:
// the boot sector, the $UpCase table, and the table in two runs with the $MFT,
// root and $UpCase records and one record per folder and file added (standard
// information, names, unnamed data). Folder indexes are left out, so the volume
// can be read through its table only. Sectors of 512 bytes, clusters of 4096,
// records of 1024.
//
// Tests build small ones, some hostile on purpose; the benchmark streams one of a
// million records to a file.
class NtfsImage {
 public:
  static constexpr std::uint32_t kRoot = 5;
  static constexpr std::uint32_t kSectorBytes = 512;
  static constexpr std::uint32_t kClusterBytes = 4096;
  static constexpr std::uint32_t kRecordBytes = 1024;

  // A folder or file named `name` (UTF-8) in the folder `parent`; its record number.
  std::uint32_t addFolder(std::uint32_t parent, std::string_view name);
  std::uint32_t addFile(std::uint32_t parent, std::string_view name, std::uint64_t size = 0);
  // One more name of a record, in any folder: a hard link of a file, or, for a
  // folder, a second name as Windows never makes one.
  void addName(std::uint32_t record, std::uint32_t parent, std::string_view name);

  // The table's second run starts this many clusters inside its first, so both
  // map the same clusters; 0 leaves a free cluster between them.
  std::uint32_t overlappingClusters = 0;
  // The table's written length the volume answers for, when not the table's own.
  std::optional<std::uint64_t> answeredValidBytes;

  std::uint64_t sizeBytes() const;
  // The volume's bytes, in order from offset 0, handed over in pieces.
  void write(const std::function<void(std::span<const std::uint8_t>)>& sink) const;
  std::vector<std::uint8_t> bytes() const;
  // What FSCTL_GET_NTFS_VOLUME_DATA answers for it.
  platform::NtfsVolumeData volumeData() const;

 private:
  struct Name {
    std::uint32_t parent = 0;
    std::u16string text;
  };
  struct Record {
    bool folder = false;
    std::uint64_t size = 0;
    std::vector<Name> names;
  };

  std::uint32_t add(std::uint32_t parent, std::string_view name, bool folder, std::uint64_t size);
  std::uint64_t tableRecords() const;
  std::uint64_t firstRunClusters() const;
  std::uint64_t secondRunCluster() const;
  std::uint64_t totalClusters() const;
  std::vector<std::uint8_t> record(std::uint64_t number) const;

  std::vector<Record> records_;  // From record 16 on.
};

}  // namespace velmora::fakes
