#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace velmora::junk {

// The folders a walk must not enter. A line matches exactly one folder path, with
// the letters A-Z compared without case and every other character as it is, so a
// line with a trailing backslash or a relative path never matches anything.
class Exclusions {
 public:
  Exclusions() = default;
  explicit Exclusions(const std::vector<std::string>& lines);

  bool excludes(std::string_view folderPath) const;
  bool empty() const { return folders_.empty(); }

 private:
  std::unordered_set<std::string> folders_;
};

}  // namespace velmora::junk
