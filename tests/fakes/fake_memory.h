#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/memory.h"

namespace velmora::fakes {

// Scripted physical memory, for tests of the logic. The status is whatever the test
// sets (by default 50% in use of 4 GiB, 2 GiB available). Blocks are real, zeroed
// 1 MiB allocations at distinct addresses, since the logic writes every byte of
// them: a test that commits 1024 blocks holds 1 GiB until the fake goes, since
// released blocks are kept for later commits. Commits can be
// made to fail after a number of blocks, and the fake counts what was committed,
// released and released in error.
class FakeMemory final : public platform::Memory {
 public:
  FakeMemory() = default;
  FakeMemory(const FakeMemory&) = delete;
  FakeMemory& operator=(const FakeMemory&) = delete;

  platform::MemoryStatus status() const override { return status_; }
  void* commitBlock() override;
  bool releaseBlock(void* block) override;

  void setStatus(const platform::MemoryStatus& status) { status_ = status; }

  // The next count commits succeed and every later one returns null, as when the
  // system runs out of commit charge; until failCommitsAfter or
  // commitsAlwaysSucceed is called again.
  void failCommitsAfter(std::size_t count) { commitsLeft_ = count; }
  void commitsAlwaysSucceed() { commitsLeft_.reset(); }

  // Blocks committed and not yet released.
  std::size_t liveBlocks() const { return blocks_.size(); }
  // Successful commits and releases so far.
  std::size_t commits() const { return commits_; }
  std::size_t releases() const { return releases_; }
  // Releases of something that was not a live block (null, unknown, released twice).
  std::size_t failedReleases() const { return failedReleases_; }

 private:
  platform::MemoryStatus status_{50, std::uint64_t{4} << 30, std::uint64_t{2} << 30};
  std::map<void*, std::unique_ptr<std::byte[]>> blocks_;
  // Released blocks, kept for the next commits.
  std::vector<std::unique_ptr<std::byte[]>> spare_;
  std::optional<std::size_t> commitsLeft_;
  std::size_t commits_ = 0;
  std::size_t releases_ = 0;
  std::size_t failedReleases_ = 0;
};

}  // namespace velmora::fakes
