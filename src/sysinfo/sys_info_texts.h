#pragma once

#include <array>
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

// The words of the window's values that the language file gives: the processor
// speed's unit and the colours of each known display depth. They start as the
// designed English texts.
struct SysInfoWords {
  std::string megahertz = "MHz";
  // 8, 15, 16, 24 and 32 bits per pixel, in this order.
  std::array<std::string, 5> colors = {"256 colours", "Hi-Color / 32768 colours", "Hi-Color / 65536 colours",
                                       "True-Color / 16 million colours", "True-Color / 32 bit"};
};

// The colours a display of that depth shows in words ("True-Color / 32 bit");
// empty for a depth the table does not know.
std::string colorsText(int bitsPerPixel, const SysInfoWords& words);

}  // namespace velmora::sysinfo
