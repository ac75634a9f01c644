#pragma once

#include <string>
#include <vector>

#include "platform/registry_store.h"
#include "registry/reg_file_reader.h"

namespace velmora::registry {

// An entry of a registry file that could not be put back, and why.
struct RestoreFailure {
  // "HKEY_CURRENT_USER\Software\Key", and for a value that, a backslash and its name.
  std::string entry;
  platform::RegStatus status = platform::ERROR_SUCCESS;
};

struct RestoreResult {
  int restoredCount = 0;
  std::vector<RestoreFailure> failures;
};

// Puts back every key and value of a registry file exactly, the program's own way
// of doing what the registry editor does with it: each key is created where the
// file names it, each value written with the bytes and type the file holds. An
// entry that cannot be written (a key this user may not change, say) is recorded
// and the rest goes on.
RestoreResult restoreRegFile(platform::RegistryStore& store, const RegFileContents& contents);

}  // namespace velmora::registry
