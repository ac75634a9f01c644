#include "junk/drive_list.h"

namespace velmora::junk {
namespace {

bool isListedType(platform::DriveType type) {
  return type == platform::DriveType::removable || type == platform::DriveType::fixed ||
         type == platform::DriveType::ramDisk;
}

}  // namespace

std::vector<char> buildDriveLetters(platform::Drives& drives) {
  std::vector<char> letters;
  const std::uint32_t mask = drives.getLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if ((mask & (1u << i)) == 0) continue;
    const char letter = static_cast<char>('A' + i);
    const std::string root = std::string(1, letter) + ":\\";
    if (!drives.rootExists(root)) continue;
    if (isListedType(drives.getDriveType(root))) letters.push_back(letter);
  }
  return letters;
}

std::optional<DriveInformation> computeDriveInformation(platform::Drives& drives, char letter,
                                                        const DriveInfoTexts& texts,
                                                        const std::string& thousandsSeparator) {
  if (letter < 'A' || letter > 'Z') return std::nullopt;
  const std::string root = std::string(1, letter) + ":\\";
  const std::optional<platform::DiskSpace> space = drives.getDiskFreeSpace(root);
  if (!space) return std::nullopt;

  DriveInformation info;
  info.totalKb = static_cast<std::int64_t>(space->totalBytes / 1024);
  info.freeKb = static_cast<std::int64_t>(space->totalFreeBytes / 1024);
  info.formattedTotal = formatThousands(info.totalKb, thousandsSeparator);
  info.formattedFree = formatThousands(info.freeKb, thousandsSeparator);

  DriveFacts facts;
  facts.letter = letter;
  if (auto volume = drives.getVolumeInformation(root)) {
    facts.volumeLabel = volume->label;
    facts.serialNumber = volume->serialNumber;
    facts.fileSystem = volume->fileSystemName;
  }
  facts.formattedTotalKb = info.formattedTotal;
  facts.formattedFreeKb = info.formattedFree;
  info.text = driveInformationText(texts, facts);
  return info;
}

}  // namespace velmora::junk
