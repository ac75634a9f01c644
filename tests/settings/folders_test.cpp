#include "settings/folders.h"

#include <gtest/gtest.h>

namespace velmora::settings {
namespace {

TEST(FolderPart, KeepsEverythingUpToTheLastBackslash) {
  EXPECT_EQ(folderPart("X:\\Tools\\cleaner.exe"), "X:\\Tools\\");
  EXPECT_EQ(folderPart("C:\\cleaner.exe"), "C:\\");
  EXPECT_EQ(folderPart("\\\\?\\C:\\Long\\cleaner.exe"), "\\\\?\\C:\\Long\\");
  EXPECT_EQ(folderPart("cleaner.exe"), "");
}

}  // namespace
}  // namespace velmora::settings
