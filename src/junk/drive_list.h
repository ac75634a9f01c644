#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "junk/drive_info_text.h"
#include "platform/drives.h"

namespace velmora::junk {

// The letters of the drives the Files page offers, upper case, in alphabetical
// order: the drives that exist, whose root answers (a drive without a medium is
// passed over without any dialog) and that are removable, fixed or RAM disks.
// Network drives and CD-ROMs are never listed.
std::vector<char> buildDriveLetters(platform::Drives& drives);

// One drive's figures and the text shown under the drive list.
struct DriveInformation {
  std::int64_t totalKb = 0;
  std::int64_t freeKb = 0;  // Free on the whole disk, not only what the user may use.
  std::string formattedTotal;
  std::string formattedFree;
  std::string text;
};

// The information of the drive with the given letter; nothing when the letter is
// not A-Z or the disk's space cannot be read, so that the caller keeps what it
// showed before. A volume whose name cannot be read shows an empty label and file
// system.
std::optional<DriveInformation> computeDriveInformation(platform::Drives& drives, char letter,
                                                        const DriveInfoTexts& texts,
                                                        const std::string& thousandsSeparator);

}  // namespace velmora::junk
