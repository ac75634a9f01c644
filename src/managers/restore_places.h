#pragma once

#include <string_view>

#include "platform/registry_store.h"

// Where each page deletes from, so that a restore writes only there. A backup
// names its own keys, and a file in the backups folder may have been put there by
// anyone: an administrator's restore must never write a Run value, a class or
// anything else the page that made the backup could not have taken away.
namespace velmora::managers {

// Whether the page of the given kind ("registry", "startup", "uninstall") deletes
// what a backup section holds: the key at keyPath below root (as the registry
// editor names it, a 32-bit key below Software\WOW6432Node), with values or
// without. Names compare without regard to letter case; a path with an empty
// level never matches.
bool pageDeletesFrom(std::string_view page, platform::RegKey root, std::string_view keyPath, bool hasValues);

}  // namespace velmora::managers
