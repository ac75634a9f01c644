// What only Windows can show of a committed block: how it is committed.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/memory_win32.h"

namespace velmora::contract {
namespace {

TEST(MemoryWin32, BlocksAreCommittedReadWriteAndUncached) {
  platform::Win32Memory memory;
  void* block = memory.commitBlock();
  ASSERT_NE(block, nullptr);
  MEMORY_BASIC_INFORMATION info{};
  ASSERT_EQ(VirtualQuery(block, &info, sizeof(info)), sizeof(info));
  EXPECT_EQ(info.State, static_cast<DWORD>(MEM_COMMIT));
  EXPECT_EQ(info.Protect, static_cast<DWORD>(PAGE_READWRITE | PAGE_NOCACHE));
  EXPECT_EQ(info.AllocationBase, block);
  EXPECT_GE(info.RegionSize, platform::Memory::kBlockSize);
  EXPECT_TRUE(memory.releaseBlock(block));
}

TEST(MemoryWin32, StatusIsTheSystemsOwn) {
  platform::Win32Memory memory;
  MEMORYSTATUSEX raw{};
  raw.dwLength = sizeof(raw);
  ASSERT_TRUE(GlobalMemoryStatusEx(&raw));
  // The total does not move; the free amount may between the two calls.
  EXPECT_EQ(memory.status().totalPhysical, raw.ullTotalPhys);
}

}  // namespace
}  // namespace velmora::contract
