#pragma once

#include <string>
#include <string_view>

#include "platform/registry_store.h"

// How a registry path such as "HKLM\Software\Vendor\App\Version" is taken apart: a
// root name, a separator, a key path and a value name. A separator is a backslash or
// a forward slash; the last component is always the value name, so a path that
// addresses a key as such ends with a separator.
namespace velmora::registry {

// The root key that the path's first characters name, tried in this order: HKLM,
// HKCU, HKCR, HKU, HKPD, HKCC, HKDD, compared without regard to letter case; no
// separator has to follow ("HKLMX" is HKEY_LOCAL_MACHINE). 0 (RegKey{}) when none
// matches or the path is empty.
platform::RegKey RegGetRoot(std::string_view path);

// Everything after the last separator; empty when the path ends with a separator
// (the key's default value) or has none.
std::string RegValueName(std::string_view path);

// Everything strictly between the first and the last separator; empty when the path
// has fewer than two (the root key itself). Separators inside are kept as they are:
// the store treats only the backslash as a level separator.
std::string RegKeyPath(std::string_view path);

}  // namespace velmora::registry
