#include "junk/listing_ahead.h"

#include <gtest/gtest.h>

#include "fakes/fake_file_system.h"
#include "junk/folder_walk.h"

namespace velmora::junk {
namespace {

// Every file below folder, one folder at a time ("." comes first and is passed over).
void walkAlone(platform::FileSystem& fs, const std::string& folder, std::vector<std::string>& out) {
  platform::FindData entry;
  for (platform::FileSearch search = fs.findFirstFile(folder + "*", entry);
       search && search.findNext(entry);) {
    if (!entry.isDirectory())
      out.push_back(folder + entry.name);
    else if (entry.name != "..")
      walkAlone(fs, folder + entry.name + "\\", out);
  }
}

TEST(ListingAhead, AWideAndDeepTreeIsCollectedInTheOrderOfAWalkAlone) {
  fakes::FakeFileSystem fs;
  for (int i = 0; i < 432; ++i)
    fs.addFile("C:\\t\\" + std::to_string(i / 36) + "\\" + std::to_string(i / 3 % 12) +
               (i % 2 ? "\\f" : "\\d\\g") + std::to_string(i % 3));
  std::vector<std::string> alone;
  walkAlone(fs, "C:\\t\\", alone);
  FileList list;
  walkFolder(fs, "C:\\t", {}, list, {});
  ASSERT_EQ(list.size(), alone.size());
  for (std::size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i], alone[i]);
}

TEST(ListingAhead, ThreadsEndWithThePoolEvenInTheMiddleOfAListing) {
  std::atomic<int> started{0}, stoppedInside{0};
  {
    ListingAhead<int> ahead(4, 8, [&](const std::string&, const std::atomic<bool>& stop) {
      ++started;
      while (!stop) std::this_thread::yield();
      return ++stoppedInside;
    });
    for (int i = 0; i < 10; ++i) ahead.ask("C:\\f" + std::to_string(i) + "\\");
    while (started < 4) std::this_thread::yield();
  }
  EXPECT_EQ(stoppedInside, 4) << "the six folders still queued are never started";
}

}  // namespace
}  // namespace velmora::junk
