#pragma once

#include <string>

#include "platform/system_info.h"

// The texts of the System Information window that follow from a fact by a table.
namespace velmora::sysinfo {

// The name of a Windows version ("Windows XP", "Windows 11"); empty for a version
// the table does not know.
std::string osTitle(const platform::OsVersion& version);

// Where the BIOS date is read for a version of that title.
enum class BiosDateSource {
  None,                // not read: the label keeps "XXX"
  SystemKey,           // "SystemBiosDate" of the System key
  SystemKeyOrBiosKey,  // that, or when it is absent "BIOSReleaseDate" of its BIOS subkey
};
BiosDateSource biosDateSource(const std::string& osTitle);

// The colours a display of that depth shows ("True-Color / 32 бит"); empty for a
// depth the table does not know.
std::string colorsText(int bitsPerPixel);

}  // namespace velmora::sysinfo
