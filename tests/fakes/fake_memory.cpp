#include "fakes/fake_memory.h"

#include <cstring>

namespace velmora::fakes {

void* FakeMemory::commitBlock() {
  if (commitsLeft_) {
    if (*commitsLeft_ == 0) return nullptr;
    --*commitsLeft_;
  }
  // Zeroed, as committed pages are on Windows. A block released earlier is used
  // again: the system's pages are already behind it, so a test that commits a
  // gigabyte many times over does not pay for faulting them in every time.
  std::unique_ptr<std::byte[]> block;
  if (spare_.empty()) {
    block = std::make_unique<std::byte[]>(kBlockSize);
  } else {
    block = std::move(spare_.back());
    spare_.pop_back();
    std::memset(block.get(), 0, kBlockSize);
  }
  void* address = block.get();
  blocks_.emplace(address, std::move(block));
  ++commits_;
  return address;
}

bool FakeMemory::releaseBlock(void* block) {
  const auto it = blocks_.find(block);
  if (it == blocks_.end()) {
    ++failedReleases_;
    return false;
  }
  spare_.push_back(std::move(it->second));
  blocks_.erase(it);
  ++releases_;
  return true;
}

}  // namespace velmora::fakes
