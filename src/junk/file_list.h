#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::junk {

// The files a walk collects for one root, in walk order: each one's full path and
// the size the folder listing gave for it. A drive root can hold millions of files,
// so the entries share one byte buffer and are addressed by offsets instead of each
// being a heap string of its own; a size takes one to ten bytes in front of its
// path, as most files are small.
class FileList {
 public:
  void clear();
  void add(std::string_view path, std::uint64_t sizeBytes = 0);

  std::size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  std::string_view operator[](std::size_t index) const { return entry(index).path; }
  std::uint64_t sizeBytes(std::size_t index) const { return entry(index).sizeBytes; }

  // Bytes the list holds on the heap, for the scan's memory figures.
  std::size_t heapBytes() const { return bytes_.capacity() + ends_.capacity() * sizeof(std::uint32_t); }

 private:
  struct Entry {
    std::string_view path;
    std::uint64_t sizeBytes;
  };
  Entry entry(std::size_t index) const;

  std::string bytes_;
  // End offset of entry i in bytes_; entry i starts where entry i - 1 ends.
  std::vector<std::uint32_t> ends_;
};

}  // namespace velmora::junk
