// The memory contract: the status figures and the one-megabyte blocks the memory
// freeing commits, fills and releases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "memory_under_test.h"

namespace velmora::contract {
namespace {

using platform::Memory;

constexpr std::size_t kWords = Memory::kBlockSize / sizeof(std::uint32_t);

class MemoryContract : public ::testing::Test {
 protected:
  std::unique_ptr<Memory> memory = makeMemory();
};

TEST_F(MemoryContract, StatusFiguresAreConsistent) {
  const platform::MemoryStatus status = memory->status();
  EXPECT_GT(status.totalPhysical, std::uint64_t{Memory::kBlockSize});
  EXPECT_LE(status.availablePhysical, status.totalPhysical);
  EXPECT_LE(status.memoryLoad, 100u);
}

TEST_F(MemoryContract, BlocksAreZeroedWritableAndApart) {
  void* first = memory->commitBlock();
  void* second = memory->commitBlock();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  const auto a = reinterpret_cast<std::uintptr_t>(first);
  const auto b = reinterpret_cast<std::uintptr_t>(second);
  EXPECT_GE(std::max(a, b) - std::min(a, b), Memory::kBlockSize) << "the blocks overlap";

  // Every word of each block reads zero, then takes and keeps a value of its own,
  // which a block shared with the other would lose.
  auto* one = static_cast<std::uint32_t*>(first);
  auto* two = static_cast<std::uint32_t*>(second);
  EXPECT_TRUE(std::all_of(one, one + kWords, [](std::uint32_t w) { return w == 0; }));
  EXPECT_TRUE(std::all_of(two, two + kWords, [](std::uint32_t w) { return w == 0; }));
  for (std::size_t i = 0; i < kWords; ++i) {
    one[i] = static_cast<std::uint32_t>(i);
    two[i] = ~static_cast<std::uint32_t>(i);
  }
  EXPECT_EQ(one[0], 0u);
  EXPECT_EQ(one[kWords - 1], kWords - 1);
  EXPECT_EQ(two[kWords - 1], ~static_cast<std::uint32_t>(kWords - 1));

  EXPECT_TRUE(memory->releaseBlock(first));
  EXPECT_TRUE(memory->releaseBlock(second));
}

TEST_F(MemoryContract, OnlyLiveBlocksCanBeReleased) {
  void* block = memory->commitBlock();
  ASSERT_NE(block, nullptr);
  EXPECT_TRUE(memory->releaseBlock(block));
  EXPECT_FALSE(memory->releaseBlock(block));
  EXPECT_FALSE(memory->releaseBlock(nullptr));
}

TEST_F(MemoryContract, SixtyFourBlocksLiveAtOnce) {
  // The default amount the Free Memory window frees.
  std::vector<void*> blocks;
  for (int i = 0; i < 64; ++i) {
    void* block = memory->commitBlock();
    ASSERT_NE(block, nullptr) << "block " << i;
    static_cast<std::uint32_t*>(block)[kWords - 1] = static_cast<std::uint32_t>(i);
    blocks.push_back(block);
  }
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    EXPECT_EQ(static_cast<std::uint32_t*>(blocks[i])[kWords - 1], i);
    EXPECT_TRUE(memory->releaseBlock(blocks[i]));
  }
}

}  // namespace
}  // namespace velmora::contract
