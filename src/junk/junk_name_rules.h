#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::junk {

// The extension of a file name without its dot: the part after the last ".", or
// empty when the name has none.
std::string_view extensionOf(std::string_view fileName);

// The checked catalogue patterns, prepared once per scan of a root so that the test
// of each file costs a lookup, not a pass over the catalogue.
class JunkPatterns {
 public:
  explicit JunkPatterns(const std::vector<std::string>& checkedPatterns);

  // Whether a file name (with extension, without folder) is junk by name: its
  // extension starts with "~", has "~" third, "^" or "$" second; or equals the part
  // of a checked pattern after that pattern's first "." (except "db", which only a
  // whole-name pattern such as Thumbs.db may catch); or the whole name equals a
  // checked pattern. Every comparison is exact and case-sensitive. A pattern with
  // nothing after its first "." (an empty line among them) matches no extension.
  bool matches(std::string_view fileName) const;

 private:
  std::vector<std::string> extensions_;
  std::vector<std::string> names_;
};

// Whether a file name has the shortcut extension ".lnk", compared case-sensitively
// (SHORTCUT.LNK is not examined).
bool hasShortcutExtension(std::string_view fileName);

}  // namespace velmora::junk
