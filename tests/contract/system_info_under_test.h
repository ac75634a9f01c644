#pragma once

#include <memory>

#include "platform/system_info.h"

namespace velmora::contract {

// The system information under test: the fake (with its default machine) in the
// native build, the Win32 implementation in the Windows build.
std::unique_ptr<platform::SystemInfo> makeSystemInfo();

}  // namespace velmora::contract
