#include "junk/folder_walk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_file_system.h"

namespace velmora::junk {
namespace {

using fakes::FakeFileSystem;

std::vector<std::string> walk(FakeFileSystem& fs, std::string_view root, const Exclusions& exclusions = {}) {
  FileList list;
  walkFolder(fs, root, exclusions, list, {});
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < list.size(); ++i) paths.emplace_back(list[i]);
  return paths;
}

TEST(FolderWalk, SubFoldersAreWalkedBeforeTheNextEntry) {
  FakeFileSystem fs;
  fs.addFile("C:\\root\\a.txt");
  fs.addFile("C:\\root\\b\\c.txt");
  fs.addFile("C:\\root\\b\\d\\e.txt");
  fs.addFile("C:\\root\\f.txt");
  // The fake lists in name order, as NTFS does.
  EXPECT_EQ(walk(fs, "C:\\root"), (std::vector<std::string>{"C:\\root\\a.txt", "C:\\root\\b\\c.txt",
                                                            "C:\\root\\b\\d\\e.txt", "C:\\root\\f.txt"}));
  // A root given with its backslash walks the same.
  EXPECT_EQ(walk(fs, "C:\\root\\").size(), 4u);
}

TEST(FolderWalk, MissingAndUnlistableFoldersAddNothing) {
  FakeFileSystem fs;
  fs.addFile("C:\\locked\\inside.tmp");
  fs.setListable("C:\\locked", false);
  fs.addFile("C:\\open\\x.tmp");
  EXPECT_TRUE(walk(fs, "C:\\missing").empty());
  EXPECT_TRUE(walk(fs, "Q:\\").empty());
  EXPECT_EQ(walk(fs, "C:\\"), (std::vector<std::string>{"C:\\open\\x.tmp"}));
}

TEST(FolderWalk, ExcludedFoldersAreSkippedButNeverTheRoot) {
  FakeFileSystem fs;
  fs.addFile("C:\\Windows\\temp.tmp");
  fs.addFile("C:\\Users\\a.tmp");
  Exclusions exclusions(fs, {"c:\\windows", "C:\\Users\\"});
  EXPECT_TRUE(walk(fs, "C:\\", exclusions).empty());
  // Walking the excluded folder itself as a root lists it.
  EXPECT_EQ(walk(fs, "C:\\Windows", exclusions), (std::vector<std::string>{"C:\\Windows\\temp.tmp"}));
}

TEST(FolderWalk, NeverEntersOrListsReparsePoints) {
  FakeFileSystem fs;
  fs.addFile("C:\\Precious\\thesis.doc");
  fs.addFile("C:\\Temp\\junk.tmp");
  fs.addFolderLink("C:\\Temp\\link");
  fs.addFile("C:\\Temp\\link\\thesis.doc");  // what lies behind the link
  fs.addFile("C:\\Temp\\filelink.tmp");
  fs.setAttributes("C:\\Temp\\filelink.tmp",
                   platform::file_attribute::archive | platform::file_attribute::reparsePoint);
  EXPECT_EQ(walk(fs, "C:\\Temp"), (std::vector<std::string>{"C:\\Temp\\junk.tmp"}));
}

TEST(FolderWalk, FilesWhoseTimeHasNoDosFormAreNotListed) {
  FakeFileSystem fs;
  fs.addFile("C:\\t\\old.tmp");
  fs.setLastWriteTime("C:\\t\\old.tmp", 0);  // 1601: before the DOS epoch
  fs.addFile("C:\\t\\new.tmp");
  EXPECT_EQ(walk(fs, "C:\\t"), (std::vector<std::string>{"C:\\t\\new.tmp"}));
}

TEST(FolderWalk, ATreeTenThousandLevelsDeepIsWalkedWithoutRecursion) {
  FakeFileSystem fs;
  std::string path = "C:\\deep";
  for (int i = 0; i < 10000; ++i) path += "\\d";
  fs.addFile(path + "\\bottom.tmp");
  fs.addFile("C:\\deep\\top.tmp");
  auto paths = walk(fs, "C:\\deep");
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_EQ(paths[0], path + "\\bottom.tmp");  // "d" sorts before "top.tmp"
  EXPECT_EQ(paths[1], "C:\\deep\\top.tmp");
}

TEST(FolderWalk, StopsBetweenEntriesWhenAsked) {
  FakeFileSystem fs;
  for (int i = 0; i < 10; ++i) fs.addFile("C:\\s\\f" + std::to_string(i) + ".tmp");
  FileList list;
  int asked = 0;
  walkFolder(fs, "C:\\s", {}, list, [&] { return ++asked > 3; });
  EXPECT_EQ(list.size(), 3u);
}

}  // namespace
}  // namespace velmora::junk
