// The adversarial suite under Wine: the real scan and Delete on the real file
// system, for every case Wine can make (the others run against the fake in
// ../adversarial_test.cpp). After each case the tree, less the checked files, is
// what it was before Delete.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "adversarial_support.h"
#include "file_system_scratch_win32.h"
#include "platform/win32/file_system_win32.h"

namespace velmora::junk {
namespace {

using Rows = std::vector<std::pair<std::string, bool>>;

class AdversarialWin32 : public ::testing::Test {
 protected:
  void makeFile(const std::string& path) {
    // Each folder on the way, in the extended form: the path may be past 260.
    for (std::size_t slash = path.find('\\', dir.size()); slash != std::string::npos;
         slash = path.find('\\', slash + 1))
      CreateDirectoryW(contract::extendedForm(path.substr(0, slash)).c_str(), nullptr);
    std::ofstream(std::filesystem::path(contract::extendedForm(path)), std::ios::binary) << "velmora";
    ASSERT_TRUE(files.getFileAttributes(path)) << path;
  }
  bool exists(const std::string& path) { return static_cast<bool>(files.getFileAttributes(path)); }

  contract::ScratchFolder scratch;
  const std::string dir = scratch.path();
  platform::Win32FileSystem files;
  DeleteHarness harness;
};

TEST_F(AdversarialWin32, ALinkToAnAncestorMakesNoCycle) {
  makeFile(dir + "a\\x.tmp");
  makeFile(dir + "a\\b\\y.tmp");
  contract::makeFolderLink(dir + "a\\b\\up", dir + "a");
  const DeleteHarness::Outcome outcome = harness.run(files, dir + "a", checkAll);
  EXPECT_EQ(outcome.deleted, 2);
  EXPECT_EQ(outcome.before, outcome.after);
  EXPECT_TRUE(harness.rows().empty());
  EXPECT_TRUE(exists(dir + "a\\b\\up"));
}

TEST_F(AdversarialWin32, FilesThatVanishOrBecomeFoldersBeforeDeleteStayListed) {
  makeFile(dir + "t\\gone.tmp");
  makeFile(dir + "t\\became.tmp");
  makeFile(dir + "t\\plain.tmp");
  const DeleteHarness::Outcome outcome = harness.run(files, dir + "t", checkAll, [&] {
    ASSERT_TRUE(DeleteFileW(contract::extendedForm(dir + "t\\gone.tmp").c_str()));
    ASSERT_TRUE(DeleteFileW(contract::extendedForm(dir + "t\\became.tmp").c_str()));
    makeFile(dir + "t\\became.tmp\\inner.dat");
  });
  EXPECT_EQ(outcome.deleted, 1);
  EXPECT_EQ(outcome.before, outcome.after);
  EXPECT_EQ(harness.rows(), (Rows{{dir + "t\\became.tmp", true}, {dir + "t\\gone.tmp", true}}));
  EXPECT_TRUE(exists(dir + "t\\became.tmp\\inner.dat"));
}

TEST_F(AdversarialWin32, LockedAndReadOnlyFilesStay) {
  makeFile(dir + "t\\locked.tmp");
  makeFile(dir + "t\\readonly.tmp");
  makeFile(dir + "t\\plain.tmp");
  ASSERT_TRUE(
      SetFileAttributesW(contract::extendedForm(dir + "t\\readonly.tmp").c_str(), FILE_ATTRIBUTE_READONLY));
  HANDLE held = CreateFileW(contract::extendedForm(dir + "t\\locked.tmp").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const DeleteHarness::Outcome outcome = harness.run(files, dir + "t", checkAll);
  CloseHandle(held);
  EXPECT_EQ(outcome.deleted, 1);
  EXPECT_EQ(outcome.before, outcome.after);
  EXPECT_EQ(harness.rows(), (Rows{{dir + "t\\locked.tmp", true}, {dir + "t\\readonly.tmp", true}}));
  SetFileAttributesW(contract::extendedForm(dir + "t\\readonly.tmp").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Names Windows' path rules would trim or take for a device, a name of 255
// characters and a path of about 1,100 (Linux, below Wine, ends a path at 4,096
// bytes): each checked file goes, and its look-alike beside it stays.
TEST_F(AdversarialWin32, LongAndOddNamesAreDeletedExactly) {
  std::string deep = dir + "n";
  for (int level = 0; level < 10; ++level) deep += "\\" + std::string(100, static_cast<char>('a' + level));
  const std::string longName = std::string(251, 'l') + ".tmp";
  const std::vector<std::string> odd = {"trail.",  "trail ", "nul",
                                        "con.tmp", longName, deep.substr(dir.size() + 2) + "\\deep.tmp"};
  for (const std::string& name : odd) makeFile(dir + "n\\" + name);
  makeFile(dir + "n\\trail");
  makeFile(dir + "n\\con");
  const DeleteHarness::Outcome outcome = harness.run(files, dir + "n", [](const std::string& path) {
    return !path.ends_with("trail") && !path.ends_with("con");
  });
  EXPECT_EQ(outcome.deleted, static_cast<int>(odd.size()));
  EXPECT_EQ(outcome.before, outcome.after);
  EXPECT_TRUE(exists(dir + "n\\trail"));
  EXPECT_TRUE(exists(dir + "n\\con"));
  EXPECT_EQ(harness.rows().size(), 2u);
}

}  // namespace
}  // namespace velmora::junk
