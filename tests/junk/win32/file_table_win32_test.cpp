// Reading a drive's file table against walking its folders, on NTFS volumes that
// ntfs-3g wrote. Wine opens "\\.\X:" as the file that dosdevices/x:: links to, so
// the image is the raw volume; the drive's root is the image mounted read-only,
// which the walk lists. Wine does not refuse a standard user the volume, as
// Windows does: a refused open is a drive whose device cannot be opened.
// The registry headers name the registry's constants as Windows does, so they come
// before <windows.h>.
#include "junk/category_roots.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "junk/file_table_walk.h"
#include "junk/folder_walk.h"
#include "ntfs/file_table.h"
#include "platform/win32/drives_win32.h"
#include "platform/win32/file_system_win32.h"
#include "scratch_drive.h"
#include "wine_unix.h"

namespace velmora::junk {
namespace {

using testing::runUnix;
using testing::unixPathOf;

// A drive whose root is an NTFS image made and filled by ntfs-3g, and whose raw
// volume is that image (or a copy torn on purpose).
class NtfsDrive {
 public:
  explicit NtfsDrive(std::vector<std::string> mkntfsOptions) {
    const std::string outside = unixPathOf(scratch_.outside());
    image_ = outside + "volume.img";
    mount_ = unixPathOf(scratch_.outside() + L"drive");
    std::vector<std::string> make{"/bin/sh", VELMORA_NTFS_IMAGE_SCRIPT, "make", image_,
                                  mount_,    outside + "records"};
    make.insert(make.end(), mkntfsOptions.begin(), mkntfsOptions.end());
    if (runUnix(make) != 0) throw std::runtime_error("ntfs-3g could not make the image");
    mounted_ = true;
    std::ifstream(outside + "records") >> file_ >> fileFolder_ >> folder_ >> folderParent_;
    scratch_.linkDevice(image_);
  }
  ~NtfsDrive() {
    if (mounted_) runUnix({"/bin/sh", VELMORA_NTFS_IMAGE_SCRIPT, "unmount", mount_});
  }

  // The device becomes a copy of the image with these records torn.
  void tear(const std::vector<std::uint32_t>& records) {
    const std::string copy = image_ + ".torn";
    std::vector<std::string> tear{"/bin/sh", VELMORA_NTFS_IMAGE_SCRIPT, "tear", image_, copy};
    for (std::uint32_t record : records) tear.push_back(std::to_string(record));
    if (runUnix(tear) != 0) throw std::runtime_error("could not tear the image");
    scratch_.linkDevice(copy);
  }

  char letter() const { return static_cast<char>(scratch_.root()[0]); }
  std::string root() const { return {letter(), ':', '\\'}; }

  std::uint32_t file_ = 0, fileFolder_ = 0, folder_ = 0, folderParent_ = 0;

 private:
  e2e::ScratchDrive scratch_;
  std::string image_;
  std::string mount_;
  bool mounted_ = false;
};

using Rows = std::vector<std::pair<std::string, std::uint64_t>>;

Rows rowsOf(const FileList& list) {
  Rows rows;
  for (std::size_t i = 0; i < list.size(); ++i) rows.emplace_back(list[i], list.sizeBytes(i));
  return rows;
}

class FileTableWin32 : public ::testing::Test {
 protected:
  // What the walk of the drive-wide categories skips: the user's excluded folder
  // and the recycle bin.
  Exclusions exclusionsFor(const NtfsDrive& drive) {
    std::vector<std::string> lines = foldersKeptBelow(JunkCategory::junkFiles, drive.root());
    lines.push_back(drive.root() + "keep out");
    return Exclusions(files, lines, &drives);
  }
  Rows walked(const NtfsDrive& drive) {
    FileList list;
    walkFolder(files, drive.root(), exclusionsFor(drive), list, {});
    return rowsOf(list);
  }
  std::optional<Rows> read(const NtfsDrive& drive) {
    FileList list;
    if (!listDriveFromFileTable(files, drives, drive.letter(), exclusionsFor(drive), list, {}))
      return std::nullopt;
    return rowsOf(list);
  }

  platform::Win32FileSystem files;
  platform::Win32Drives drives;
};

TEST_F(FileTableWin32, GivesTheWalksRowsInItsOrderWhateverTheSectorAndClusterSizes) {
  for (const std::vector<std::string>& options :
       {std::vector<std::string>{"-c", "4096"}, {"-s", "4096", "-c", "4096"}, {"-c", "512"}}) {
    SCOPED_TRACE(options[1]);
    NtfsDrive drive(options);
    const Rows walk = walked(drive);
    const std::optional<Rows> table = read(drive);
    ASSERT_TRUE(table);
    EXPECT_EQ(*table, walk);
    // The image's files, less the recycle bin, the excluded folder and the junction.
    EXPECT_GE(walk.size(), 340u);
  }
}

TEST_F(FileTableWin32, ListsFoldersWithTornRecordsTheOrdinaryWayWithTheSameRows) {
  NtfsDrive drive({"-c", "4096"});
  drive.tear({drive.file_, drive.folder_});
  const std::optional<Rows> table = read(drive);
  ASSERT_TRUE(table);
  EXPECT_EQ(*table, walked(drive));

  std::unique_ptr<platform::RawVolume> volume = drives.openVolume(drive.letter());
  ASSERT_TRUE(volume);
  const std::optional<ntfs::FileTable> fileTable = ntfs::FileTable::read(*volume, {});
  ASSERT_TRUE(fileTable);
  EXPECT_FALSE(fileTable->entriesKnown(drive.fileFolder_));
  EXPECT_FALSE(fileTable->entriesKnown(drive.folderParent_));
  EXPECT_TRUE(fileTable->entriesKnown(ntfs::kRootFolder));
}

TEST_F(FileTableWin32, LeavesTheDriveToTheWalkWhenItsVolumeCannotBeOpenedOrIsNotNtfs) {
  e2e::ScratchDrive plain;
  FileList list;
  const char letter = static_cast<char>(plain.root()[0]);
  EXPECT_FALSE(drives.openVolume(letter));
  EXPECT_FALSE(listDriveFromFileTable(files, drives, letter, {}, list, {}));

  const std::string zeros = unixPathOf(plain.outside()) + "zeros.img";
  ASSERT_EQ(runUnix({"/usr/bin/truncate", "-s", "4M", zeros}), 0);
  plain.linkDevice(zeros);
  EXPECT_TRUE(drives.openVolume(letter));
  EXPECT_FALSE(listDriveFromFileTable(files, drives, letter, {}, list, {}));
  EXPECT_EQ(list.size(), 0u);
}

}  // namespace
}  // namespace velmora::junk
