#include "platform/extended_path.h"

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

TEST(ExtendedLengthPath, DrivePathsKeepEveryNameExactly) {
  EXPECT_EQ(extendedLengthPath("C:\\dir\\keep.txt."), "\\\\?\\C:\\dir\\keep.txt.");
  EXPECT_EQ(extendedLengthPath("c:\\dir\\name "), "\\\\?\\c:\\dir\\name ");
  EXPECT_EQ(extendedLengthPath("C:\\dir\\nul"), "\\\\?\\C:\\dir\\nul");
  EXPECT_EQ(extendedLengthPath("C:\\dir\\*.*"), "\\\\?\\C:\\dir\\*.*");
  EXPECT_EQ(extendedLengthPath("C:\\"), "\\\\?\\C:\\");
  EXPECT_EQ(extendedLengthPath("C:\\dir\\"), "\\\\?\\C:\\dir\\");
}

TEST(ExtendedLengthPath, FoldersOnTheWayAreTidiedAsWindowsWould) {
  EXPECT_EQ(extendedLengthPath("C:/dir/sub/a.txt"), "\\\\?\\C:\\dir\\sub\\a.txt");
  EXPECT_EQ(extendedLengthPath("C:\\dir\\\\sub\\.\\a.txt"), "\\\\?\\C:\\dir\\sub\\a.txt");
  EXPECT_EQ(extendedLengthPath("C:\\dir\\sub\\..\\a.txt"), "\\\\?\\C:\\dir\\a.txt");
  // ".." never climbs above the root.
  EXPECT_EQ(extendedLengthPath("C:\\..\\..\\a.txt"), "\\\\?\\C:\\a.txt");
  EXPECT_EQ(extendedLengthPath("C:\\dir\\.."), "\\\\?\\C:\\");
  // Only whole "." and ".." components are resolved; "..." is a name.
  EXPECT_EQ(extendedLengthPath("C:\\dir\\...\\a"), "\\\\?\\C:\\dir\\...\\a");
}

TEST(ExtendedLengthPath, NetworkPathsTakeTheUncForm) {
  EXPECT_EQ(extendedLengthPath("\\\\server\\share\\dir\\a.txt"), "\\\\?\\UNC\\server\\share\\dir\\a.txt");
  EXPECT_EQ(extendedLengthPath("\\\\server\\share\\..\\..\\a.txt"), "\\\\?\\UNC\\server\\share\\a.txt");
  EXPECT_EQ(extendedLengthPath("//server/share/"), "\\\\?\\UNC\\server\\share\\");
  EXPECT_EQ(extendedLengthPath("\\\\server"), std::nullopt);
  EXPECT_EQ(extendedLengthPath("\\\\server\\"), std::nullopt);
}

TEST(ExtendedLengthPath, ExtendedAndDevicePathsStayAsTheyAre) {
  EXPECT_EQ(extendedLengthPath("\\\\?\\C:\\dir\\..\\x"), "\\\\?\\C:\\dir\\..\\x");
  EXPECT_EQ(extendedLengthPath("\\\\.\\C:"), "\\\\.\\C:");
}

TEST(ExtendedLengthPath, AnythingButAFullPathGivesNothing) {
  for (const char* path : {"", "a.txt", "dir\\a.txt", ".\\a.txt", "..\\a.txt", "\\dir\\a.txt",
                           "C:", "C:a.txt", "1:\\a.txt", "CC:\\a.txt"}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(extendedLengthPath(path), std::nullopt);
  }
}

}  // namespace
}  // namespace velmora::platform
