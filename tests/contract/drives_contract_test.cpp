// The drives-and-volumes contract: the same cases against the fake (natively) and
// against the Win32 implementation (under Wine, whose drive C: is the prefix's
// drive_c).
#include <gtest/gtest.h>

#include "drives_world.h"

namespace velmora::contract {
namespace {

using platform::DriveType;

class DrivesContract : public ::testing::Test {
 protected:
  std::unique_ptr<platform::Drives> drives = makeDrives();

  // The root of a letter from D: on that the machine does not have.
  std::string missingRoot() {
    const std::uint32_t present = drives->getLogicalDrives();
    for (char letter = 'Z'; letter >= 'D'; --letter)
      if ((present & (1u << (letter - 'A'))) == 0) return std::string(1, letter) + ":\\";
    return {};
  }
};

TEST_F(DrivesContract, DriveCExistsIsFixedAndReady) {
  EXPECT_NE(drives->getLogicalDrives() & (1u << ('C' - 'A')), 0u);
  EXPECT_EQ(drives->getDriveType("C:\\"), DriveType::fixed);
  EXPECT_TRUE(drives->rootExists("C:\\"));
  EXPECT_TRUE(drives->rootExists("c:\\"));
  EXPECT_FALSE(drives->getNetworkName("C:\\"));
}

TEST_F(DrivesContract, DriveCHasSpaceWithTotalAtLeastFree) {
  std::optional<platform::DiskSpace> space = drives->getDiskFreeSpace("C:\\");
  ASSERT_TRUE(space);
  EXPECT_GT(space->totalBytes, 0u);
  EXPECT_GE(space->totalBytes, space->totalFreeBytes);
  EXPECT_GE(space->totalBytes, space->freeBytesAvailable);
}

TEST_F(DrivesContract, DriveCHasAFileSystemName) {
  std::optional<platform::VolumeInformation> volume = drives->getVolumeInformation("C:\\");
  ASSERT_TRUE(volume);
  EXPECT_FALSE(volume->fileSystemName.empty());
}

TEST_F(DrivesContract, AMissingDriveAnswersNothing) {
  const std::string root = missingRoot();
  ASSERT_FALSE(root.empty());
  EXPECT_EQ(drives->getLogicalDrives() & (1u << (root[0] - 'A')), 0u);
  EXPECT_EQ(drives->getDriveType(root), DriveType::noRootDirectory);
  EXPECT_FALSE(drives->rootExists(root));
  EXPECT_FALSE(drives->getDiskFreeSpace(root));
  EXPECT_FALSE(drives->getVolumeInformation(root));
}

TEST_F(DrivesContract, ATextThatIsNotARootNeverMeansTheWorkingFolder) {
  for (const char* root : {"", "C:", "data", "\\"}) {
    SCOPED_TRACE(root);
    EXPECT_EQ(drives->getDriveType(root), DriveType::noRootDirectory);
    EXPECT_FALSE(drives->rootExists(root));
    EXPECT_FALSE(drives->getDiskFreeSpace(root));
    EXPECT_FALSE(drives->getVolumeInformation(root));
  }
}

}  // namespace
}  // namespace velmora::contract
