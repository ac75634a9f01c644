#pragma once

#include <memory>

#include "platform/memory.h"

namespace velmora::contract {

// The memory service under test: the fake in the native build, the Win32
// implementation in the Windows build.
std::unique_ptr<platform::Memory> makeMemory();

}  // namespace velmora::contract
