#include "drives_world.h"
#include "platform/win32/drives_win32.h"

namespace velmora::contract {

std::unique_ptr<platform::Drives> makeDrives() { return std::make_unique<platform::Win32Drives>(); }

}  // namespace velmora::contract
