#include "junk/file_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

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

TEST(Exclusions, MatchWholeFolderPathsWithoutLetterCase) {
  Exclusions exclusions({"C:\\Windows", "D:\\Keep\\", "relative\\folder", "C:\\ПАПКА"});
  EXPECT_TRUE(exclusions.excludes("C:\\Windows"));
  EXPECT_TRUE(exclusions.excludes("c:\\WINDOWS"));
  EXPECT_FALSE(exclusions.excludes("C:\\Windows\\System32"));  // below: never reached, not compared
  EXPECT_FALSE(exclusions.excludes("C:\\Windows2"));
  // A trailing backslash or a relative line never matches a walked folder path.
  EXPECT_FALSE(exclusions.excludes("D:\\Keep"));
  EXPECT_FALSE(exclusions.excludes("C:\\relative\\folder"));
  // Only A-Z fold: Cyrillic letter case is compared as it stands.
  EXPECT_TRUE(exclusions.excludes("c:\\ПАПКА"));
  EXPECT_FALSE(exclusions.excludes("C:\\папка"));
  EXPECT_FALSE(Exclusions().excludes("C:\\Windows"));
}

}  // namespace
}  // namespace velmora::junk
