#pragma once

#include <string_view>

#include "platform/registry_store.h"

namespace velmora::test_support {

// Imports a registry file the way a user restores a backup: in the Windows build
// with the system's registry editor ("regedit /s"), run on a copy of the file;
// natively with the test reader into the store under test. False when the import
// could not be run or failed.
bool importAsTheSystemDoes(platform::RegistryStore& store, std::string_view fileBytes);

}  // namespace velmora::test_support
