#include "junk/drive_info_text.h"

namespace velmora::junk {

std::string formatThousands(std::int64_t value, std::string_view separator) {
  const bool negative = value < 0;
  // Through the unsigned magnitude, so that the smallest 64-bit value formats too.
  std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  const std::string digits = std::to_string(magnitude);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return negative ? "-" + out : out;
}

std::string driveInformationText(const DriveInfoTexts& texts, const DriveFacts& facts) {
  std::string text;
  text += texts.drive + std::string(1, facts.letter) + "\r\n";
  text += texts.label + facts.volumeLabel + "\r\n";
  text += texts.serialNumber + std::to_string(facts.serialNumber) + "\r\n";
  text += texts.fileSystem + facts.fileSystem + "\r\n";
  text += texts.totalSpace + facts.formattedTotalKb + " Kb\r\n";
  text += texts.freeSpace + facts.formattedFreeKb + " Kb";
  return text;
}

}  // namespace velmora::junk
