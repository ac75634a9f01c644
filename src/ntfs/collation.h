#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "ntfs/little_endian.h"

namespace velmora::ntfs {

// The order in which NTFS keeps a folder's names, and so the order in which
// Windows lists a folder: each UTF-16 unit is turned to upper case through the
// volume's own $UpCase table and the units are compared as numbers, a shorter name
// before a longer one it begins; names equal that way (possible only for POSIX
// names) are then ordered by their units as written.
class Collation {
 public:
  // From the bytes of the $UpCase file: one upper-case unit per UTF-16 unit. Units
  // beyond a short table stay as they are.
  explicit Collation(Bytes upCaseTable);

  bool less(std::u16string_view a, std::u16string_view b) const;

 private:
  std::vector<char16_t> upper_;
};

}  // namespace velmora::ntfs
