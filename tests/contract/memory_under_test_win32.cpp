#include "memory_under_test.h"
#include "platform/win32/memory_win32.h"

namespace velmora::contract {

std::unique_ptr<platform::Memory> makeMemory() { return std::make_unique<platform::Win32Memory>(); }

}  // namespace velmora::contract
