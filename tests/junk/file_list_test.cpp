#include "junk/file_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fakes/fake_drives.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_system_info.h"
#include "junk/exclusions.h"

namespace velmora::junk {
namespace {

TEST(FileList, PathsAndSizesComeBackInOrderIncludingEmptyAndNonLatinOnes) {
  FileList list;
  list.add("C:\\a.tmp", 127);
  list.add("", 128);
  list.add("C:\\Папка\\b.~doc", 5'000'000'000);
  list.add("C:\\huge", UINT64_MAX);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0], "C:\\a.tmp");
  EXPECT_EQ(list[1], "");
  EXPECT_EQ(list[2], "C:\\Папка\\b.~doc");
  EXPECT_EQ(list[3], "C:\\huge");
  EXPECT_EQ(list.sizeBytes(0), 127u);
  EXPECT_EQ(list.sizeBytes(1), 128u);
  EXPECT_EQ(list.sizeBytes(2), 5'000'000'000u);
  EXPECT_EQ(list.sizeBytes(3), UINT64_MAX);
  list.clear();
  EXPECT_TRUE(list.empty());
  list.add("D:\\x");
  EXPECT_EQ(list[0], "D:\\x");
}

TEST(FileList, MemoryStaysWithinOneAndAHalfTimesThePathBytes) {
  FileList list;
  std::size_t pathBytes = 0;
  for (int i = 0; i < 100000; ++i) {
    std::string path = "C:\\Users\\someone\\AppData\\Local\\Temp\\folder" + std::to_string(i % 997) +
                       "\\file" + std::to_string(i) + ".tmp";
    pathBytes += path.size();
    list.add(path, static_cast<std::uint64_t>(i) * 37);
  }
  EXPECT_LE(static_cast<double>(list.heapBytes()), 1.5 * static_cast<double>(pathBytes));
}

TEST(Exclusions, NameAFolderHoweverItIsWrittenOrReached) {
  fakes::FakeFileSystem fs;
  fs.addFolder("C:\\Windows\\System32");
  fs.addFolder("D:\\Keep");
  fs.addFolder("C:\\Документы");
  fs.addFolder("E:\\Data\\Keep");
  fs.addDriveAlias("S:", "E:\\Data");  // a subst drive
  Exclusions exclusions(fs, {"C:\\Windows", " D:/Keep\\ ", "relative\\folder", "C:\\документы",
                             "E:\\Data\\Keep", "C:\\NotThereYet", ""});
  EXPECT_TRUE(exclusions.excludes("c:\\WINDOWS", "WINDOWS"));
  EXPECT_FALSE(exclusions.excludes("C:\\Windows\\System32", "System32"));  // below: never reached
  EXPECT_FALSE(exclusions.excludes("C:\\Windows2", "Windows2"));
  EXPECT_FALSE(exclusions.excludes("C:\\relative\\folder", "folder"));
  // Blanks, forward slashes and a trailing backslash name the same folder.
  EXPECT_TRUE(exclusions.excludes("D:\\Keep", "Keep"));
  // Letter case folds in every script.
  EXPECT_TRUE(exclusions.excludes("C:\\ДОКУМЕНТЫ", "ДОКУМЕНТЫ"));
  // The same folder through another drive letter; a folder of that name elsewhere is not it.
  EXPECT_TRUE(exclusions.excludes("S:\\Keep", "Keep"));
  fs.addFolder("S:\\Other\\Keep");
  EXPECT_FALSE(exclusions.excludes("S:\\Other\\Keep", "Keep"));
  // A folder that did not exist at the start is still compared by its path.
  EXPECT_TRUE(exclusions.excludes("C:\\notthereyet", "notthereyet"));
  // A root that is an excluded folder, or lies inside one, by any name.
  EXPECT_TRUE(exclusions.coversRoot("C:\\Windows\\System32"));
  fs.addDriveAlias("T:", "E:\\Data\\Keep");
  EXPECT_TRUE(exclusions.coversRoot("T:\\"));
  EXPECT_FALSE(exclusions.coversRoot("S:\\"));
  EXPECT_FALSE(Exclusions().excludes("C:\\Windows", "Windows"));
  EXPECT_EQ(exclusionFolderPath("\t C:/ "), "C:\\");
  EXPECT_EQ(exclusionFolderPath("//server/share//dir/"), "\\\\server\\share\\dir");
}

TEST(ExclusionSpellings, EverySpellingWindowsAcceptsNamesItsFolderAndOthersNameNone) {
  fakes::FakeFileSystem fs;
  fs.addFolder("C:\\Keep\\Sub");
  fs.addFolder("D:\\");
  for (const char* line :
       {"\\\\?\\C:\\Keep", "\\??\\C:\\Keep", "\\\\.\\C:\\Keep", "C:\\Keep.", "c:\\Keep\\Sub\\.. "})
    EXPECT_TRUE(Exclusions(fs, {line}).coversRoot("C:\\Keep")) << line;
  EXPECT_TRUE(Exclusions(fs, {"C:\\Keep .\\Sub. "}).coversRoot("C:\\Keep\\Sub"));
  EXPECT_TRUE(Exclusions(fs, {"D:"}).coversRoot("D:\\"));
  // Explorer's "Copy as path" and a variable of the environment name folders too.
  EXPECT_TRUE(Exclusions(fs, {" \"C:\\Keep\" "}).coversRoot("C:\\Keep"));
  const fakes::FakeSystemInfo system;
  EXPECT_EQ(linesNamingNoFolder({"D:Keep", " ", "Keep", "D:", "\\\\?\\Keep", "\"D:\\Keep\"", "%UserProfile%",
                                 "%NOT SET%\\Keep", "\"D:\\Keep"},
                                system),
            (std::vector<std::string>{"D:Keep", "Keep", "\\\\?\\Keep", "%NOT SET%\\Keep", "\"D:\\Keep"}));
}

TEST(ExclusionNetwork, ANetworkRootIsComparedByTextAsWrittenAndThroughItsDrivesNetworkName) {
  // Nothing of the network is in the file system: it is never opened.
  fakes::FakeFileSystem fs;
  fakes::FakeDrives drives;
  fakes::FakeDrive share;
  share.type = platform::DriveType::remote;
  share.networkName = "\\\\server\\home";
  drives.addDrive('Z', share);
  const std::string unc = "\\\\server\\home\\u\\Recent";
  for (const char* line : {"\\\\server\\home\\u", "\\\\SERVER\\home", "Z:\\u\\Recent",
                           "\\\\?\\UNC\\server\\home\\U\\recent", "Z:"})
    for (const std::string& root : {unc, std::string("Z:\\u\\Recent")})
      EXPECT_TRUE(Exclusions(fs, {line}, &drives).coversRoot(root)) << line << " " << root;
  for (const char* line : {"\\\\server\\other", "\\\\server\\home\\u\\Recent\\x", "Y:\\u"})
    EXPECT_FALSE(Exclusions(fs, {line}, &drives).coversRoot(unc)) << line;
  EXPECT_TRUE(Exclusions(fs, {unc + "\\Sub"}, &drives).excludes("Z:\\u\\Recent\\sub", "sub"));
}

}  // namespace
}  // namespace velmora::junk
