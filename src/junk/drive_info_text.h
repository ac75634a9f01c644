#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::junk {

// A kilobyte figure with the user's thousands separator between groups of three
// digits and no decimals: 12345678 with "," gives "12,345,678".
std::string formatThousands(std::int64_t value, std::string_view separator);

// The language texts that head the six lines of a drive's information.
struct DriveInfoTexts {
  std::string drive, label, serialNumber, fileSystem, totalSpace, freeSpace;
};

// What is known of one drive for its information text.
struct DriveFacts {
  char letter = 0;
  std::string volumeLabel;
  std::uint32_t serialNumber = 0;
  std::string fileSystem;
  std::string formattedTotalKb;
  std::string formattedFreeKb;
};

// The six lines shown under the drive list, separated by CR LF with none after the
// last. The serial number is unsigned, so one with its top bit set never shows as
// a negative number.
std::string driveInformationText(const DriveInfoTexts& texts, const DriveFacts& facts);

}  // namespace velmora::junk
