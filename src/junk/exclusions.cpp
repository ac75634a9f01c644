#include "junk/exclusions.h"

#include "common/text_lines.h"

namespace velmora::junk {

Exclusions::Exclusions(const std::vector<std::string>& lines) {
  for (const auto& line : lines) folders_.insert(text::asciiLower(line));
}

bool Exclusions::excludes(std::string_view folderPath) const {
  return !folders_.empty() && folders_.count(text::asciiLower(folderPath)) != 0;
}

}  // namespace velmora::junk
