// The memory defragmenter against the fake memory: the progress it reports, its
// abort and busy flags, and how it ends when a block cannot be committed.
#include "memory/qzmaxmem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_memory.h"
#include "headless_app.h"
#include "widgets/form.h"

namespace velmora::memory {
namespace {

class QzMaxMemTest : public ::testing::Test {
 protected:
  QzMaxMemTest() { listen(); }

  // Records every event as "before", the progress figure or "after".
  void listen() {
    component.OnBeforeDefrag = [this](TqzMaxMem& sender) {
      EXPECT_EQ(&sender, &component);
      EXPECT_TRUE(sender.Busy());
      events.push_back("before");
    };
    component.OnProgress = [this](TqzMaxMem&, std::int32_t progress) {
      progresses.push_back(progress);
      events.push_back(std::to_string(progress));
      if (onProgress) onProgress(static_cast<int>(progresses.size()));
    };
    component.OnAfterDefrag = [this](TqzMaxMem& sender) {
      EXPECT_FALSE(sender.Busy());
      events.push_back("after");
    };
  }

  // Every block committed was released, once, and nothing is held.
  void expectAllReleased() {
    EXPECT_EQ(memory.liveBlocks(), 0u);
    EXPECT_EQ(memory.releases(), memory.commits());
    EXPECT_EQ(memory.failedReleases(), 0u);
    EXPECT_FALSE(component.Busy());
  }

  widgets::testing::HeadlessApp h;
  widgets::Form owner{h.app, "TFormMemory"};
  fakes::FakeMemory memory;
  TqzMaxMem component{owner, "qzMaxMem1", memory};
  std::vector<std::string> events;
  std::vector<std::int32_t> progresses;
  // Runs after each progress event with the number of events so far.
  std::function<void(int)> onProgress;
};

TEST_F(QzMaxMemTest, ProgressCountsTheMegabytesAskedForAgainstTheBlocksDone) {
  struct Case {
    std::int32_t megabytes;
    std::size_t blocks;
    std::vector<std::int32_t> firstValues;
    std::int32_t lastValue;
    std::size_t eventCount;
  };
  const Case cases[] = {
      {1, 1, {50}, 100, 2},        {8, 8, {6, 12, 19, 25, 31, 38}, 100, 16},
      {64, 64, {1}, 100, 128},     {2048, 1024, {0}, 50, 2048},
      {1500, 1024, {0}, 68, 2048}, {0, 0, {}, 0, 0},
      {-5, 0, {}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.megabytes);
    events.clear();
    progresses.clear();
    const std::size_t commitsBefore = memory.commits();
    component.DefragMemory(c.megabytes);
    EXPECT_EQ(memory.commits() - commitsBefore, c.blocks);
    ASSERT_EQ(progresses.size(), c.eventCount);
    EXPECT_EQ(events.front(), "before");
    EXPECT_EQ(events.back(), "after");
    if (c.eventCount == 0) continue;
    EXPECT_EQ(std::vector<std::int32_t>(progresses.begin(), progresses.begin() + c.firstValues.size()),
              c.firstValues);
    EXPECT_EQ(progresses.back(), c.lastValue);
    EXPECT_EQ(progresses[c.eventCount / 2 - 1], c.lastValue / 2) << "at the end of the commit phase";
  }
  expectAllReleased();

  // DefragAll asks for the whole total in megabytes, a 64-bit count: on a
  // machine with 32 GiB, 32768 megabytes, so 1024 blocks are committed and the
  // progress ends at 2048 of 65536 steps, 3%.
  memory.setStatus({10, std::uint64_t{32} << 30, std::uint64_t{20} << 30});
  TqzMaxMem big(owner, "qzMaxMem2", memory);
  EXPECT_EQ(big.TotalMemory(), std::uint64_t{32} << 30);
  EXPECT_EQ(big.FreeMemory(), std::uint64_t{20} << 30);
  std::int32_t last = -1;
  big.OnProgress = [&](TqzMaxMem&, std::int32_t progress) { last = progress; };
  const std::size_t commitsBefore = memory.commits();
  big.DefragAll();
  EXPECT_EQ(memory.commits() - commitsBefore, 1024u);
  EXPECT_EQ(last, 3);
  expectAllReleased();
}

TEST_F(QzMaxMemTest, AnAbortReleasesWhatIsHeldAndEndsWithoutFurtherProgress) {
  // In the commit phase, after the third block: those three go back.
  onProgress = [this](int count) {
    if (count == 3) component.Abort();
  };
  component.DefragMemory(8);
  EXPECT_EQ(events, (std::vector<std::string>{"before", "6", "12", "19", "after"}));
  EXPECT_EQ(memory.commits(), 3u);
  expectAllReleased();

  // In the release phase, after the second release: the other six go back too.
  events.clear();
  progresses.clear();
  onProgress = [this](int count) {
    if (count == 10) component.Abort();
  };
  component.DefragMemory(8);
  EXPECT_EQ(events.size(), 12u) << "before, ten figures, after";
  EXPECT_EQ(events[10], "62");
  EXPECT_EQ(events.back(), "after");
  EXPECT_EQ(memory.commits(), 3u + 8u);
  expectAllReleased();
}

TEST_F(QzMaxMemTest, ACallWhileBusyReturnsAtOnceAndWithdrawsAPendingAbort) {
  onProgress = [this](int count) {
    if (count != 2) return;
    component.Abort();
    component.DefragMemory(5);
  };
  component.DefragMemory(8);
  ASSERT_EQ(progresses.size(), 16u) << "the withdrawn abort stopped nothing";
  EXPECT_EQ(progresses.back(), 100);
  EXPECT_EQ(std::count(events.begin(), events.end(), "before"), 1);
  EXPECT_EQ(std::count(events.begin(), events.end(), "after"), 1);
  EXPECT_EQ(memory.commits(), 8u) << "the nested call committed nothing";
  expectAllReleased();
}

TEST_F(QzMaxMemTest, ABlockThatCannotBeCommittedEndsTheOperation) {
  memory.failCommitsAfter(3);
  component.DefragMemory(8);
  EXPECT_EQ(events, (std::vector<std::string>{"before", "6", "12", "19", "after"}));
  EXPECT_EQ(memory.commits(), 3u);
  expectAllReleased();

  // The component is idle again: the next call does its work.
  memory.commitsAlwaysSucceed();
  events.clear();
  component.DefragMemory(1);
  EXPECT_EQ(events, (std::vector<std::string>{"before", "50", "100", "after"}));
  expectAllReleased();
}

}  // namespace
}  // namespace velmora::memory
