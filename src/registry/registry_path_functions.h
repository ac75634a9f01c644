#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_store.h"
#include "registry/registry_object.h"
#include "registry/registry_path_parts.h"

// Registry access by a single path text ("HKCU\Software\Vendor\App\Version", see
// registry_path_parts.h). Each function builds a registry object on the given store
// for the one call, roots it from the path, opens the path's key, does its one thing
// with the addressed value or key and releases the object before returning, so the
// functions hold no state and may be called from any thread.
//
// Failures never throw. A path whose root is not recognised touches nothing and gives
// the failure value at once: false, the default passed in, or Unknown, with a
// caller's list left as it was. A key that can't be opened gives the same values
// (but an emptied list), and so does a read or write error of the registry object.
//
// <windows.h> has a macro named RegDeleteValue: a file that includes it can't use
// this header.
namespace velmora::registry {

// The text of the value when it exists, otherwise (also for a value of another type)
// defaultText.
std::string RegReadString(platform::RegistryStore& store, std::string_view path,
                          const std::string& defaultText);

// Whether the value exists.
bool RegValueExists(platform::RegistryStore& store, std::string_view path);

// Deletes the value; true exactly when it was deleted. Creates nothing.
bool RegDeleteValue(platform::RegistryStore& store, std::string_view path);

// Write the value (REG_SZ; REG_DWORD; REG_DWORD 1 or 0), creating missing keys of
// the path; true when it was written.
bool RegWriteString(platform::RegistryStore& store, std::string_view path, const std::string& text);
bool RegWriteInt(platform::RegistryStore& store, std::string_view path, std::int32_t number);
bool RegWriteBool(platform::RegistryStore& store, std::string_view path, bool flag);

// The REG_DWORD value widened with its sign (0xFFFFFFFF reads as -1) when it exists,
// otherwise (also for a value of another type) defaultNumber.
std::int64_t RegReadInt(platform::RegistryStore& store, std::string_view path, std::int64_t defaultNumber);

// Whether the REG_DWORD value is not 0 when it exists, otherwise defaultFlag.
bool RegReadBool(platform::RegistryStore& store, std::string_view path, bool defaultFlag);

// Fill list with the names of the subkeys (values) of the path's key, which is why
// the path should end with a separator. True unless the root is not recognised; a
// key that can't be opened leaves the list empty.
bool RegGetKeyNames(platform::RegistryStore& store, std::string_view path, std::vector<std::string>& list);
bool RegGetValueNames(platform::RegistryStore& store, std::string_view path, std::vector<std::string>& list);

// The kind of the value; Unknown when the key or the value can't be found.
RegValueKind RegGetDataType(platform::RegistryStore& store, std::string_view path);

}  // namespace velmora::registry
