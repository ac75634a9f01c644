#include "ntfs/collation.h"

#include <algorithm>

namespace velmora::ntfs {

Collation::Collation(Bytes upCaseTable) : upper_(65536) {
  for (std::size_t unit = 0; unit < upper_.size(); ++unit)
    upper_[unit] = 2 * unit + 1 < upCaseTable.size() ? static_cast<char16_t>(u16(upCaseTable, 2 * unit))
                                                     : static_cast<char16_t>(unit);
}

bool Collation::less(std::u16string_view a, std::u16string_view b) const {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const char16_t x = upper_[a[i]];
    const char16_t y = upper_[b[i]];
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace velmora::ntfs
