// A drive whose file table was written to mislead: folders that loop, a table its
// volume could not hold, names Windows never makes. The scan must leave each such
// drive to the walk, show the walk's rows and end within a fixed number of Stop
// polls. The walk sees the tree the fake file system holds; the table holds the
// same tree, and the hostile parts only it has.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_file_system.h"
#include "fakes/fake_services.h"
#include "fakes/fake_shell.h"
#include "fakes/ntfs_image.h"
#include "junk_scan_support.h"

namespace velmora::junk {
namespace {

using fakes::NtfsImage;

// Answers Stop once the scan has asked more often than any scan of these small
// trees asks, so that a listing that loops ends there, short of the walk's rows.
class PollingView : public RecordingView {
 public:
  using RecordingView::RecordingView;
  static constexpr int kBudget = 5000;
  bool stopRequested() override { return ++polls > kBudget; }
  void showDriveRead(const std::string&, bool fromTable) override { fromFileTable = fromTable; }
  int polls = 0;
  bool fromFileTable = false;
};

struct Scanned {
  std::vector<std::string> rows;
  bool fromFileTable = false;
  int polls = 0;
};

class HostileFileTable : public ::testing::Test {
 protected:
  HostileFileTable() {
    temp_ = folder(NtfsImage::kRoot, "Temp");
    keep_ = folder(NtfsImage::kRoot, "Keep");
    file(keep_, "Keep\\x.tmp");
    // Enough records that the table's second run holds some of them.
    for (int i = 0; i < 30; ++i) file(temp_, "Temp\\f" + std::to_string(i) + (i % 3 ? ".tmp" : ".txt"));
    walked_ = scan(nullptr);
  }

  std::uint32_t folder(std::uint32_t parent, const std::string& path) {
    files_.addFolder("X:\\" + path);
    return image_.addFolder(parent, path.substr(path.rfind('\\') + 1));
  }
  void file(std::uint32_t parent, const std::string& path) {
    files_.addFile("X:\\" + path, 4);
    image_.addFile(parent, path.substr(path.rfind('\\') + 1), 4);
  }

  // A scan of junk files on X:, whose volume serves the image when there is one.
  Scanned scan(const NtfsImage* image) {
    fakes::FakeDrive drive;
    if (image) {
      drive.rawVolume = std::make_shared<const std::vector<std::uint8_t>>(image->bytes());
      drive.ntfsVolumeData = image->volumeData();
    }
    drives_.addDrive('X', drive);
    JunkScanChoices choices = only({JunkCategory::junkFiles}, {'X'});
    choices.checkedPatterns = {"*.tmp"};
    choices.exclusionLines = {"X:\\Keep"};
    PollingView view(std::move(choices));
    JunkScan(services_, "C:\\Profile\\").run(view);
    return {view.paths(), view.fromFileTable, view.polls};
  }

  // The image as built reads from its table with the walk's rows; made hostile, it
  // is walked, with the same rows.
  void expectWalked(const std::string& what, const std::function<void(NtfsImage&)>& makeHostile) {
    SCOPED_TRACE(what);
    const Scanned clean = scan(&image_);
    ASSERT_TRUE(clean.fromFileTable);
    ASSERT_EQ(clean.rows, walked_.rows);
    NtfsImage hostile = image_;
    makeHostile(hostile);
    const Scanned scanned = scan(&hostile);
    EXPECT_FALSE(scanned.fromFileTable);
    EXPECT_EQ(scanned.rows, walked_.rows);
    EXPECT_LE(scanned.polls, PollingView::kBudget);
  }

  fakes::FakeFileSystem files_;
  fakes::FakeDrives drives_;
  fakes::FakeRegistryStore registry_;
  fakes::FakeShell shell_;
  fakes::FakeServices rest_;
  platform::Services services_{registry_,    files_,       drives_,        shell_,         rest_.textFiles,
                               rest_.memory, rest_.system, rest_.internet, rest_.encoding, rest_.scheduler};
  NtfsImage image_;
  std::uint32_t temp_ = 0, keep_ = 0;
  Scanned walked_;
};

TEST_F(HostileFileTable, FoldersThatLoopOrRunPastTheLongestPathAreWalked) {
  ASSERT_EQ(walked_.rows.size(), 20u);
  expectWalked("a folder that is its own parent",
               [&](NtfsImage& image) { image.addName(temp_, temp_, "self"); });
  expectWalked("a folder named again inside itself",
               [&](NtfsImage& image) { image.addName(temp_, image.addFolder(temp_, "inner"), "again"); });
  expectWalked("thirty folders of two names each, one inside the other", [](NtfsImage& image) {
    std::uint32_t parent = NtfsImage::kRoot;
    for (int level = 0; level < 30; ++level) {
      const std::uint32_t next = image.addFolder(parent, "a");
      image.addName(next, parent, "b");
      parent = next;
    }
    image.addFile(parent, "deep.tmp");
  });
  expectWalked("a path longer than Windows opens", [](NtfsImage& image) {
    std::uint32_t parent = NtfsImage::kRoot;
    for (int level = 0; level < 130; ++level) parent = image.addFolder(parent, std::string(255, 'L'));
    image.addFile(parent, "deep.tmp");
  });
}

TEST_F(HostileFileTable, ATableItsVolumeCouldNotHoldIsWalked) {
  expectWalked("runs that map the same clusters", [](NtfsImage& image) { image.overlappingClusters = 2; });
  expectWalked("records past the length the volume says it wrote", [&](NtfsImage& image) {
    image.answeredValidBytes = std::uint64_t{image.addFile(temp_, "stale.tmp")} * NtfsImage::kRecordBytes;
  });
}

TEST_F(HostileFileTable, NamesWindowsNeverMakesAreWalked) {
  // "..\Keep\x.tmp" in Temp would list X:\Keep\x.tmp outside its excluded folder.
  for (const std::string& name :
       std::vector<std::string>{"..\\Keep\\x.tmp", "a/b.tmp", "c:d.tmp", std::string("n\0.tmp", 6)}) {
    expectWalked(name, [&](NtfsImage& image) { image.addFile(temp_, name); });
  }
  for (const std::string name : {".", ".."}) {
    expectWalked(name, [&](NtfsImage& image) { image.addFile(image.addFolder(temp_, name), "y.tmp"); });
  }
}

}  // namespace
}  // namespace velmora::junk
