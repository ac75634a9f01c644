#include "junk/file_list.h"

#include <limits>
#include <stdexcept>

namespace velmora::junk {

void FileList::clear() {
  bytes_.clear();
  ends_.clear();
}

void FileList::add(std::string_view path) {
  // 32-bit offsets keep the index at four bytes a file; 4 GiB of path text is far
  // beyond any volume's file count times the longest path.
  if (bytes_.size() + path.size() > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("file list exceeds 4 GiB of path text");
  bytes_.append(path);
  ends_.push_back(static_cast<std::uint32_t>(bytes_.size()));
}

std::string_view FileList::operator[](std::size_t index) const {
  const std::uint32_t begin = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(bytes_).substr(begin, ends_[index] - begin);
}

}  // namespace velmora::junk
