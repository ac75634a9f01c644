#include "junk/file_list.h"

#include <limits>
#include <stdexcept>

namespace velmora::junk {
namespace {

// A size is stored seven bits a byte, lowest first, the top bit of a byte saying
// that another follows: a file under 128 bytes costs one byte, under 16 KiB two.
constexpr std::size_t kMaxSizeBytes = 10;

}  // namespace

void FileList::clear() {
  bytes_.clear();
  ends_.clear();
}

void FileList::add(std::string_view path, std::uint64_t sizeBytes) {
  // 32-bit offsets keep the index at four bytes a file; 4 GiB of path text is far
  // beyond any volume's file count times the longest path.
  if (bytes_.size() + kMaxSizeBytes + path.size() > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("file list exceeds 4 GiB of path text");
  do {
    const auto low = static_cast<unsigned char>(sizeBytes & 0x7F);
    sizeBytes >>= 7;
    bytes_.push_back(static_cast<char>(sizeBytes != 0 ? (low | 0x80) : low));
  } while (sizeBytes != 0);
  bytes_.append(path);
  ends_.push_back(static_cast<std::uint32_t>(bytes_.size()));
}

FileList::Entry FileList::entry(std::size_t index) const {
  std::size_t at = index == 0 ? 0 : ends_[index - 1];
  std::uint64_t sizeBytes = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(bytes_[at++]);
    sizeBytes |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) break;
  }
  return {std::string_view(bytes_).substr(at, ends_[index] - at), sizeBytes};
}

}  // namespace velmora::junk
