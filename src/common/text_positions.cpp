#include "common/text_positions.h"

namespace velmora::text {

std::size_t pos(std::string_view needle, std::string_view text) {
  if (needle.empty()) return 0;
  std::size_t at = text.find(needle);
  return at == std::string_view::npos ? 0 : at + 1;
}

std::size_t lastDelimiter(std::string_view delimiters, std::string_view text) {
  std::size_t at = text.find_last_of(delimiters);
  return at == std::string_view::npos ? 0 : at + 1;
}

std::string copy(std::string_view text, std::ptrdiff_t start, std::ptrdiff_t count) {
  if (start < 1) start = 1;
  const auto size = static_cast<std::ptrdiff_t>(text.size());
  if (count <= 0 || start > size) return {};
  const std::ptrdiff_t available = size - (start - 1);
  return std::string(text.substr(static_cast<std::size_t>(start - 1),
                                 static_cast<std::size_t>(count < available ? count : available)));
}

}  // namespace velmora::text
