#include "settings/folders.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry_store.h"
#include "registry/registry_object.h"

namespace velmora::settings {
namespace {

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST(FolderPart, KeepsEverythingUpToTheLastBackslash) {
  EXPECT_EQ(folderPart("X:\\Tools\\cleaner.exe"), "X:\\Tools\\");
  EXPECT_EQ(folderPart("C:\\cleaner.exe"), "C:\\");
  EXPECT_EQ(folderPart("\\\\?\\C:\\Long\\cleaner.exe"), "\\\\?\\C:\\Long\\");
  EXPECT_EQ(folderPart("cleaner.exe"), "");
}

class ProfileFolderTest : public ::testing::Test {
 protected:
  void setCookies(const std::string& folder) {
    registry::TRegistry reg(store);
    ASSERT_TRUE(reg.Open(kShellFolders, true));
    reg.WriteText("Cookies", folder);
  }

  fakes::FakeRegistryStore store;
};

TEST_F(ProfileFolderTest, IsTheFolderThatHoldsTheCookieFolder) {
  setCookies("D:\\Profiles\\user\\Cookies");
  EXPECT_EQ(findProfileFolder(store), "D:\\Profiles\\user\\");
  setCookies("C:\\Documents and Settings\\user\\Cookies");
  EXPECT_EQ(findProfileFolder(store), "C:\\Documents and Settings\\user\\");
  EXPECT_EQ(store.openHandleCount(), 0u) << "the key was left open";
}

TEST_F(ProfileFolderTest, IsEmptyWithoutAKeyAValueOrABackslash) {
  EXPECT_EQ(findProfileFolder(store), "");
  {
    registry::TRegistry reg(store);
    ASSERT_TRUE(reg.Open(kShellFolders, true));
    reg.WriteText("Cache", "D:\\Profiles\\user\\Cache");
  }
  EXPECT_EQ(findProfileFolder(store), "") << "no Cookies value";
  setCookies("Cookies");
  EXPECT_EQ(findProfileFolder(store), "");
}

TEST_F(ProfileFolderTest, ACookieValueOfAnotherTypeLeavesItEmptyInsteadOfFailing) {
  registry::TRegistry reg(store);
  ASSERT_TRUE(reg.Open(kShellFolders, true));
  reg.WriteNumber("Cookies", 7);
  EXPECT_EQ(findProfileFolder(store), "");
}

}  // namespace
}  // namespace velmora::settings
