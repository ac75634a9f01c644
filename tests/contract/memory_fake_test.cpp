// The scripting of the fake memory that tests of the memory freeing rely on.
#include <gtest/gtest.h>

#include "fakes/fake_memory.h"

namespace velmora::fakes {
namespace {

TEST(FakeMemory, CommitsFailAfterTheScriptedNumberAndCountsAddUp) {
  FakeMemory memory;
  memory.failCommitsAfter(2);
  void* first = memory.commitBlock();
  void* second = memory.commitBlock();
  EXPECT_NE(first, nullptr);
  EXPECT_NE(second, nullptr);
  EXPECT_EQ(memory.commitBlock(), nullptr);
  EXPECT_EQ(memory.liveBlocks(), 2u);

  EXPECT_TRUE(memory.releaseBlock(first));
  EXPECT_FALSE(memory.releaseBlock(first));
  EXPECT_EQ(memory.commitBlock(), nullptr) << "releasing does not give commits back";

  memory.commitsAlwaysSucceed();
  void* third = memory.commitBlock();
  EXPECT_NE(third, nullptr);
  EXPECT_EQ(memory.commits(), 3u);
  EXPECT_EQ(memory.releases(), 1u);
  EXPECT_EQ(memory.failedReleases(), 1u);
  EXPECT_EQ(memory.liveBlocks(), 2u);
}

}  // namespace
}  // namespace velmora::fakes
