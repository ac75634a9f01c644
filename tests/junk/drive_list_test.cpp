#include "junk/drive_list.h"

#include <gtest/gtest.h>

#include "fakes/fake_drives.h"

namespace velmora::junk {
namespace {

using platform::DriveType;

fakes::FakeDrive drive(DriveType type, bool ready = true) {
  fakes::FakeDrive d;
  d.type = type;
  d.ready = ready;
  return d;
}

TEST(DriveList, OnlyReadyLocalDrivesInLetterOrder) {
  fakes::FakeDrives drives;
  drives.addDrive('A', drive(DriveType::removable, false));  // floppy without a disk
  drives.addDrive('C', drive(DriveType::fixed));
  drives.addDrive('D', drive(DriveType::cdRom));
  drives.addDrive('E', drive(DriveType::removable));
  drives.addDrive('N', drive(DriveType::remote));
  drives.addDrive('R', drive(DriveType::ramDisk));
  EXPECT_EQ(buildDriveLetters(drives), (std::vector<char>{'C', 'E', 'R'}));
  EXPECT_TRUE(buildDriveLetters(*std::make_unique<fakes::FakeDrives>()).empty());
}

TEST(DriveList, InformationOfADriveWithWholeDiskFigures) {
  fakes::FakeDrives drives;
  auto c = drive(DriveType::fixed);
  c.space = {1024ull * 1000, 1024ull * 1024 * 1024 * 40, 1024ull * 1024 * 3};
  c.volume = {"", 0xF0000001u, "NTFS"};
  drives.addDrive('C', c);
  DriveInfoTexts texts{"Drive: ", "Label: ", "Serial: ", "FS: ", "Total: ", "Free: "};
  auto info = computeDriveInformation(drives, 'C', texts, ",");
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->totalKb, 41943040);
  EXPECT_EQ(info->freeKb, 3072);  // the whole disk's free space, not the user's share
  EXPECT_EQ(
      info->text,
      "Drive: C\r\nLabel: \r\nSerial: 4026531841\r\nFS: NTFS\r\nTotal: 41,943,040 Kb\r\nFree: 3,072 Kb");
}

TEST(DriveList, NoInformationWhenTheSpaceCannotBeRead) {
  fakes::FakeDrives drives;
  drives.addDrive('E', drive(DriveType::removable, false));
  DriveInfoTexts texts;
  EXPECT_FALSE(computeDriveInformation(drives, 'E', texts, ",").has_value());
  EXPECT_FALSE(computeDriveInformation(drives, 'c', texts, ",").has_value());
  EXPECT_FALSE(computeDriveInformation(drives, '\0', texts, ",").has_value());
}

}  // namespace
}  // namespace velmora::junk
