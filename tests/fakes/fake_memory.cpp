#include "fakes/fake_memory.h"

namespace velmora::fakes {

void* FakeMemory::commitBlock() {
  if (commitsLeft_) {
    if (*commitsLeft_ == 0) return nullptr;
    --*commitsLeft_;
  }
  // Zeroed, as committed pages are on Windows.
  auto block = std::make_unique<std::byte[]>(kBlockSize);
  void* address = block.get();
  blocks_.emplace(address, std::move(block));
  ++commits_;
  return address;
}

bool FakeMemory::releaseBlock(void* block) {
  if (blocks_.erase(block) == 0) {
    ++failedReleases_;
    return false;
  }
  ++releases_;
  return true;
}

}  // namespace velmora::fakes
