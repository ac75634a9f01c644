#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ntfs/boot_sector.h"
#include "platform/raw_volume.h"

namespace velmora::ntfs {

inline constexpr std::uint32_t kRootFolder = 5;
// Records below this one are the volume's own files ($MFT, $Extend, ...), which
// a folder listing never shows.
inline constexpr std::uint32_t kFirstUserRecord = 16;

// One name of a folder as its listing would give it.
struct TableEntry {
  std::uint32_t record = 0;
  std::string name;  // UTF-8, with unpaired surrogates kept as the file names of the program keep them.
  std::uint16_t nameUnits = 0;  // Its length in UTF-16 units, as Windows counts a path.
  bool directory = false;
  std::uint32_t attributes = 0;  // From the standard information.
  std::uint64_t size = 0;        // Of the unnamed data stream.
  std::uint64_t lastWriteTime = 0;
};

// The folders and names of an NTFS volume as its file table records them, read
// straight from the raw volume in large sequential reads. Records are decoded as
// they are read; what is kept is a small node per record and the names, so a
// drive of a million files stays within a hundred or so megabytes.
//
// A record caught while being written (its fixups do not match) is passed over;
// the folders it names as its parents are marked to be listed the ordinary way
// instead (entriesKnown false). Anything else unexpected (another file system, a
// read error, a record that does not add up, a boot sector the volume does not
// confirm, a table its volume could not hold, a name Windows would not make)
// makes read give nothing, and the caller lists the drive its usual way.
class FileTable {
 public:
  static std::optional<FileTable> read(platform::RawVolume& volume,
                                       const std::function<bool()>& stopRequested);

  // Whether the table knows the folder's entries for sure; false for a folder that
  // holds a torn record.
  bool entriesKnown(std::uint32_t folder) const;

  // How many records the table has; every record number it gives is below.
  std::uint32_t recordCount() const { return static_cast<std::uint32_t>(nodes_.size()); }

  // The entries of a folder in the order the volume keeps them, without the
  // volume's own files: one per name, so a file with hard links in the folder
  // appears under each of them, and a long name's DOS alias is not one of them.
  void entriesOf(std::uint32_t folder, std::vector<TableEntry>& out) const;

 private:
  friend class FileTableReader;

  struct Node {
    std::uint64_t size = 0;
    std::uint64_t lastWriteTime = 0;
    std::uint32_t attributes = 0;
    std::uint16_t sequence = 0;
    std::uint8_t flags = 0;
  };
  struct Link {
    std::uint32_t parent = 0;
    std::uint32_t child = 0;
    std::uint32_t nameAt = 0;
    std::uint16_t nameUnits = 0;
    std::uint16_t parentSequence = 0;
    std::uint16_t childSequence = 0;
  };

  BootSector boot_;
  std::vector<Node> nodes_;
  std::vector<Link> links_;               // Once read: grouped by parent, each group in collation order.
  std::vector<std::uint32_t> firstLink_;  // Per record, its first link in links_; one more at the end.
  std::u16string names_;
};

}  // namespace velmora::ntfs
