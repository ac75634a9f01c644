// The Free Memory window against the fake memory: its two figures, the settings
// it shows and hands back, and which freeing Clean and the tray's Free Ram run.
#include "memory/form_memory.h"

#include <gtest/gtest.h>

#include <memory>

#include "fakes/fake_memory.h"
#include "headless_app.h"

namespace velmora::memory {
namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

class FormMemoryTest : public ::testing::Test {
 protected:
  // The component reads the total when the window is made, so the machine is
  // set first.
  TFormMemory& create(std::uint64_t totalBytes, std::uint64_t freeBytes) {
    memory.setStatus({50, totalBytes, freeBytes});
    form = std::make_unique<TFormMemory>(h.app, memory);
    return *form;
  }

  widgets::testing::HeadlessApp h;
  fakes::FakeMemory memory;
  std::unique_ptr<TFormMemory> form;
};

TEST_F(FormMemoryTest, EachTickShowsTheTotalAndTheFreeMegabytesWithTheFreeShare) {
  struct Case {
    std::uint64_t total;
    std::uint64_t free;
    const char* totalText;
    const char* freeText;
  };
  const Case cases[] = {
      {2047 * kMiB, 1023 * kMiB, "2047 Mb", "1023 Mb (49%)"},
      // Counts beyond 32 bits: neither wrapped nor capped.
      {std::uint64_t{32} << 30, std::uint64_t{20} << 30, "32768 Mb", "20480 Mb (62%)"},
      {std::uint64_t{1} << 40, std::uint64_t{1} << 40, "1048576 Mb", "1048576 Mb (100%)"},
      // Less than a megabyte in all: nothing to take a share of.
      {kMiB - 1, kMiB - 1, "0 Mb", "0 Mb (0%)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.totalText);
    TFormMemory& window = create(c.total, c.free);
    EXPECT_EQ(window.LabelRamTotal.caption(), "xxx") << "nothing is measured before the first tick";
    window.TimerMem.tick();
    EXPECT_EQ(window.LabelRamTotal.caption(), c.totalText);
    EXPECT_EQ(window.LabelRamFree.caption(), c.freeText);
  }
  // The free figure is measured afresh on every tick; the total was read once.
  memory.setStatus({50, 2 * kMiB, 1 * kMiB});
  form->TimerMem.tick();
  EXPECT_EQ(form->LabelRamTotal.caption(), "0 Mb");
  EXPECT_EQ(form->LabelRamFree.caption(), "1 Mb (0%)");
}

TEST_F(FormMemoryTest, SettingsAreShownClampedAndHandedBackOnClosing) {
  TFormMemory& window = create(2048 * kMiB, 1024 * kMiB);
  std::vector<MemorySettings> stored;
  window.onLoadSettings = [] { return MemorySettings{5000, -3, true}; };
  window.onStoreSettings = [&](const MemorySettings& settings) { stored.push_back(settings); };
  window.show();
  EXPECT_EQ(window.CSpinEditTryFree.value(), 2048);
  EXPECT_EQ(window.CSpinEditElapsedTime.value(), 0);
  EXPECT_TRUE(window.cbAutoDefrag.checked());
  window.CSpinEditElapsedTime.userStep(+1);
  window.cbAutoDefrag.click();
  window.ButtonAbort.click();
  EXPECT_FALSE(window.visible());
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].tryToFree, 2048);
  EXPECT_EQ(stored[0].delay, 5);
  EXPECT_FALSE(stored[0].autoDefrag);
  EXPECT_EQ(memory.commits(), 0u) << "changing the settings and closing frees nothing";
}

// With 200 MB in all and 100 free, freeing "the whole memory" commits 200
// blocks, and freeing v megabytes commits v.
TEST_F(FormMemoryTest, AnAmountBelowTheFreeFigureFreesEverythingAndAnyOtherJustThatAmount) {
  TFormMemory& window = create(200 * kMiB, 100 * kMiB);
  const auto blocksFreedWith = [&](int amount, bool byTray) {
    window.CSpinEditTryFree.setValue(amount);
    const std::size_t before = memory.commits();
    if (byTray)
      window.FreeRamNow();
    else
      window.ButtonClean.click();
    EXPECT_EQ(memory.liveBlocks(), 0u);
    return memory.commits() - before;
  };
  // Before the first tick the free figure is 0.
  EXPECT_EQ(blocksFreedWith(0, false), 0u);
  EXPECT_EQ(blocksFreedWith(5, true), 5u);

  window.TimerMem.tick();
  for (bool byTray : {false, true}) {
    SCOPED_TRACE(byTray ? "Free Ram" : "Clean");
    EXPECT_EQ(blocksFreedWith(99, byTray), 200u);
    EXPECT_EQ(blocksFreedWith(100, byTray), 100u);
    EXPECT_EQ(blocksFreedWith(101, byTray), 101u);
  }
  EXPECT_FALSE(window.pbMem.visible());
}

}  // namespace
}  // namespace velmora::memory
