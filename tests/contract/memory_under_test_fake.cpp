#include "fakes/fake_memory.h"
#include "memory_under_test.h"

namespace velmora::contract {

std::unique_ptr<platform::Memory> makeMemory() { return std::make_unique<fakes::FakeMemory>(); }

}  // namespace velmora::contract
