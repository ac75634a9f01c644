#include "memory/qzmaxmem.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace velmora::memory {
TqzMaxMem::TqzMaxMem(widgets::Form& owner, std::string name, platform::Memory& memory)
    : Component(owner, std::move(name)), memory_(memory), totalMemory_(memory.status().totalPhysical) {}

std::uint64_t TqzMaxMem::GetFreeMemory() const { return memory_.status().availablePhysical; }

void TqzMaxMem::DefragAll() {
  // Whole megabytes; a total beyond what the request can carry asks for the most
  // it can, which is capped at kMaxBlocks blocks all the same.
  const std::uint64_t megabytes = totalMemory_ >> 20;
  DefragMemory(static_cast<std::int32_t>(
      std::min<std::uint64_t>(megabytes, std::numeric_limits<std::int32_t>::max())));
}

void TqzMaxMem::DefragMemory(std::int32_t megabytes) {
  // A call made while another runs withdraws an abort pending for that one too.
  abort_ = false;
  if (busy_) return;
  busy_ = true;

  const std::int32_t blockCount = std::clamp(megabytes, 0, kMaxBlocks);
  if (OnBeforeDefrag) fire([this] { OnBeforeDefrag(*this); });
  // The steps count the megabytes asked for, not the blocks committed, so a
  // request above the cap ends below 100%.
  const std::int64_t totalSteps = 2 * std::int64_t{megabytes};
  std::int64_t stepsDone = 0;

  std::array<void*, kMaxBlocks + 1> blocks{};
  const auto releaseBlocks = [&](std::int32_t from, std::int32_t to) {
    for (std::int32_t k = from; k < to; ++k) memory_.releaseBlock(blocks[k]);
  };

  for (std::int32_t i = 0; i < blockCount; ++i) {
    blocks[i] = memory_.commitBlock();
    // Out of commit charge: what is held goes back and the operation ends, never
    // writing into memory it did not get.
    if (blocks[i] == nullptr) {
      releaseBlocks(0, i);
      finish();
      return;
    }
    // Every byte is written, so that each page of the block is backed by
    // physical memory before the next block is committed.
    std::memset(blocks[i], 0, platform::Memory::kBlockSize);
    reportProgress(++stepsDone, totalSteps);
    if (abort_) {
      releaseBlocks(0, i + 1);
      finish();
      return;
    }
  }

  for (std::int32_t k = 0; k < blockCount; ++k) {
    memory_.releaseBlock(blocks[k]);
    reportProgress(++stepsDone, totalSteps);
    if (abort_) {
      releaseBlocks(k + 1, blockCount);
      break;
    }
  }
  finish();
}

void TqzMaxMem::reportProgress(std::int64_t stepsDone, std::int64_t totalSteps) {
  if (!OnProgress) return;
  // Rounded to the nearest whole percent, halves to the even neighbour (12.5
  // gives 12).
  const auto progress = static_cast<std::int32_t>(
      std::lrint(static_cast<double>(stepsDone) / static_cast<double>(totalSteps) * 100.0));
  fire([this, progress] { OnProgress(*this, progress); });
}

void TqzMaxMem::finish() {
  busy_ = false;
  if (OnAfterDefrag) fire([this] { OnAfterDefrag(*this); });
}

}  // namespace velmora::memory
