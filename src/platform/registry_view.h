#pragma once

#include <string>
#include <string_view>

#include "platform/registry_store.h"

namespace velmora::platform {

// Where the registry keeps what subKey names below root in the view that access
// chooses: in the 32-bit view (KEY_WOW64_32KEY) a path below
// HKEY_LOCAL_MACHINE\Software lies below Software\WOW6432Node, as 64-bit Windows
// keeps it; every other path lies where it names. This is the path a 64-bit
// program, and the registry editor, see such a key at.
std::string pathInView(RegKey root, std::string_view subKey, RegSam access);

}  // namespace velmora::platform
