#pragma once

#include <string>
#include <vector>

#include "platform/registry_store.h"
#include "registry/reg_file_reader.h"

namespace velmora::registry {

// An entry of a registry file that was not put back, and why.
struct RestoreFailure {
  enum class Reason {
    status,           // The registry refused it: status says why.
    changed,          // It holds other data now than in the backup, and was left so.
    fileNotRestored,  // It goes with a file that was not put back, and was left out.
    linkedFolder,     // A file whose folder, or one on the way to it, is a junction
                      // or symbolic link: nothing is written through one.
  };
  // "HKEY_CURRENT_USER\Software\Key", and for a value that, a backslash and its name.
  std::string entry;
  platform::RegStatus status = platform::ERROR_SUCCESS;
  Reason reason = Reason::status;
};

struct RestoreResult {
  int restoredCount = 0;
  // Keys and values that were there already exactly as the backup holds them.
  int unchangedCount = 0;
  std::vector<RestoreFailure> failures;
};

// What putting a registry file back would do, found by comparing it with the
// registry as it is now: a key or value that is not there is written, a value
// there with the same type and bytes is passed over, and a value there with other
// data is written only when the user agrees.
struct RestorePlan {
  enum class State { missing, same, changed, unreadable };
  struct Value {
    std::size_t section = 0;
    std::size_t value = 0;
    State state = State::missing;
    platform::RegStatus status = platform::ERROR_SUCCESS;  // Why it could not be read.
  };
  std::vector<State> keys;  // One per section: missing, same (there), or unreadable.
  std::vector<platform::RegStatus> keyStatus;
  std::vector<Value> values;

  // The values that hold other data now, as "HKEY_...\path\name".
  std::vector<std::string> changedEntries(const RegFileContents& contents) const;
};

RestorePlan planRestore(platform::RegistryStore& store, const RegFileContents& contents);

// Puts back what the plan found missing, and the changed values too when
// replaceChanged; anything the registry refuses is recorded and the rest goes on.
// The program's own way of doing what the registry editor does with the file,
// without ever writing over what the user has now unasked.
RestoreResult applyRestore(platform::RegistryStore& store, const RegFileContents& contents,
                           const RestorePlan& plan, bool replaceChanged);

// "HKEY_CURRENT_USER\Software\Key" for a section, and with a backslash and the
// value's name for a value (nothing after the backslash for the default value).
std::string entryName(const RegFileSection& section);
std::string entryName(const RegFileSection& section, const RegFileValue& value);

}  // namespace velmora::registry
