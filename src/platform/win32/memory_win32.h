#pragma once

#include "platform/memory.h"

namespace velmora::platform {

// Physical memory with GlobalMemoryStatusEx, VirtualAlloc and VirtualFree.
class Win32Memory final : public Memory {
 public:
  MemoryStatus status() const override;
  void* commitBlock() override;
  bool releaseBlock(void* block) override;
};

}  // namespace velmora::platform
