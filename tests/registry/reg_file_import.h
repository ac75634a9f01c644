#pragma once

#include <string_view>

#include "platform/registry_store.h"

namespace velmora::test_support {

// Imports a registry file the way a user restores a backup: in the Windows build
// with the system's registry editor ("regedit /s"), run on a copy of the file;
// natively with the program's own reader into the store under test. False when the
// import could not be run or failed.
bool importAsTheSystemDoes(platform::RegistryStore& store, std::string_view fileBytes);

// Imports a registry file into store with the program's own reader, as the
// Restore window does. False when the file cannot be read or an entry could not
// be written.
bool importRegFile(platform::RegistryStore& store, std::string_view bytes);

}  // namespace velmora::test_support
