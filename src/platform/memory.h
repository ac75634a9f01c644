#pragma once

#include <cstddef>
#include <cstdint>

// Physical memory: how much there is and how much is free, and the one-megabyte
// blocks the memory freeing commits, fills and releases so that other programs'
// pages leave physical memory.
namespace velmora::platform {

// GlobalMemoryStatusEx's figures, in bytes. They are 64-bit, so a machine with 4 GiB
// or more is measured as it is; callers that keep 32-bit figures decide how to cap.
struct MemoryStatus {
  std::uint32_t memoryLoad = 0;  // Percentage of physical memory in use, 0 to 100.
  std::uint64_t totalPhysical = 0;
  std::uint64_t availablePhysical = 0;
};

class Memory {
 public:
  // The size of one block: 1 MiB.
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  virtual ~Memory() = default;

  // GlobalMemoryStatusEx: the physical memory now.
  virtual MemoryStatus status() const = 0;

  // VirtualAlloc(nullptr, kBlockSize, MEM_COMMIT, PAGE_READWRITE | PAGE_NOCACHE):
  // a new block of kBlockSize bytes, committed, readable and writable and not
  // cached, at its own address; null when it cannot be committed. The caller may
  // write every byte of it, and must release it.
  virtual void* commitBlock() = 0;

  // VirtualFree(block, 0, MEM_RELEASE): gives a block from commitBlock back. False
  // when block is not a live block (null, or released already).
  virtual bool releaseBlock(void* block) = 0;
};

}  // namespace velmora::platform
