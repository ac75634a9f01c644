#include "platform/win32/memory_win32.h"

#include <windows.h>

namespace velmora::platform {

MemoryStatus Win32Memory::status() const {
  MEMORYSTATUSEX raw{};
  raw.dwLength = sizeof(raw);
  // The call fails only on a wrong record length, which is set just above; should
  // it fail all the same, the figures read as zero.
  if (!GlobalMemoryStatusEx(&raw)) return {};
  return {static_cast<std::uint32_t>(raw.dwMemoryLoad), raw.ullTotalPhys, raw.ullAvailPhys};
}

void* Win32Memory::commitBlock() {
  return VirtualAlloc(nullptr, kBlockSize, MEM_COMMIT, PAGE_READWRITE | PAGE_NOCACHE);
}

bool Win32Memory::releaseBlock(void* block) {
  if (block == nullptr) return false;
  return VirtualFree(block, 0, MEM_RELEASE) != 0;
}

}  // namespace velmora::platform
