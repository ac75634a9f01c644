#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::junk {

// The full paths a walk collects for one root, in walk order. A drive root can hold
// millions of files, so the paths share one byte buffer and are addressed by
// offsets instead of each being a heap string of its own.
class FileList {
 public:
  void clear();
  void add(std::string_view path);

  std::size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  std::string_view operator[](std::size_t index) const;

  // Bytes the list holds on the heap, for the scan's memory figures.
  std::size_t heapBytes() const { return bytes_.capacity() + ends_.capacity() * sizeof(std::uint32_t); }

 private:
  std::string bytes_;
  // End offset of path i in bytes_; path i starts where path i - 1 ends.
  std::vector<std::uint32_t> ends_;
};

}  // namespace velmora::junk
