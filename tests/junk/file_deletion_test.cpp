#include "junk/file_deletion.h"

#include <gtest/gtest.h>

#include "fakes/fake_drives.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_shell.h"
#include "widgets/application.h"
#include "widgets/form.h"
#include "widgets/headless_backend.h"

namespace velmora::junk {
namespace {

class FileDeletionTest : public ::testing::Test {
 protected:
  FileDeletionTest() {
    results.addColumn("Filename", 350);
    results.addColumn("Size, Kb", 80, widgets::TextAlign::Right);
    results.setCheckBoxes(true);
  }

  void addRow(const std::string& path, std::uint64_t bytes, bool onDisk = true) {
    if (onDisk) files.addFile(path, bytes);
    results.addRow({path, std::to_string(bytes / 1024)}, true);
  }

  fakes::FakeFileSystem files;
  widgets::Application app{std::make_unique<widgets::HeadlessBackend>()};
  widgets::Form form{app, "TForm1"};
  widgets::ListView results{form, "ListViewFiles"};
};

TEST_F(FileDeletionTest, CheckedFilesGoAndTheirShownKilobytesAddUp) {
  addRow("C:\\t\\a.tmp", 1500);  // shows 1
  addRow("C:\\t\\b.tmp", 900);   // shows 0
  addRow("C:\\t\\keep.tmp", 4096);
  results.setChecked(2, false);
  auto result = deleteCheckedFiles(files, results);
  EXPECT_EQ(result.deletedCount, 2);
  EXPECT_EQ(result.freedKb, 1);
  ASSERT_EQ(results.count(), 1);
  EXPECT_EQ(results.rowCaption(0), "C:\\t\\keep.tmp");
  EXPECT_TRUE(files.contains("C:\\t\\keep.tmp"));
  EXPECT_FALSE(files.contains("C:\\t\\a.tmp"));
  EXPECT_EQ(deletionStatusText("Files deleted: ", "Space freed: ", result),
            "Files deleted: 2\nSpace freed: 1 Kb.");
}

TEST_F(FileDeletionTest, FilesThatCannotBeDeletedKeepTheirCheckedRows) {
  addRow("C:\\t\\readonly.tmp", 2048);
  files.setAttributes("C:\\t\\readonly.tmp", platform::file_attribute::readOnly);
  addRow("C:\\t\\held.tmp", 2048);
  files.setHeldOpen("C:\\t\\held.tmp", true);
  addRow("C:\\t\\gone.tmp", 2048, false);
  auto result = deleteCheckedFiles(files, results);
  EXPECT_EQ(result.deletedCount, 0);
  ASSERT_EQ(results.count(), 3);
  for (int row = 0; row < 3; ++row) EXPECT_TRUE(results.checked(row));
  EXPECT_TRUE(files.contains("C:\\t\\readonly.tmp"));
  EXPECT_TRUE(files.contains("C:\\t\\held.tmp"));
}

TEST_F(FileDeletionTest, AFileListedTwiceIsDeletedOnceFromTheLaterRow) {
  addRow("C:\\t\\twice.~tmp", 3072);
  results.addRow({"C:\\t\\twice.~tmp", "3"}, true);
  auto result = deleteCheckedFiles(files, results);
  EXPECT_EQ(result.deletedCount, 1);
  EXPECT_EQ(result.freedKb, 3);
  ASSERT_EQ(results.count(), 1);  // the earlier row's delete failed: it stays
  EXPECT_TRUE(results.checked(0));
}

TEST_F(FileDeletionTest, NothingCheckedDeletesNothing) {
  addRow("C:\\t\\a.tmp", 1024);
  results.uncheckAll();
  auto result = deleteCheckedFiles(files, results);
  EXPECT_EQ(result.deletedCount, 0);
  EXPECT_EQ(results.count(), 1);
  EXPECT_TRUE(files.contains("C:\\t\\a.tmp"));
  EXPECT_EQ(deletionStatusText("D: ", "S: ", result), "D: 0\nS: 0 Kb.");
}

TEST_F(FileDeletionTest, LookAlikeNamesAreDeletedExactly) {
  files.addFile("C:\\t\\keep.txt", 10);
  addRow("C:\\t\\keep.txt.", 10);
  addRow("C:\\t\\nul", 10);
  // A name with an unpaired surrogate (WTF-8), beside the names a lossy conversion
  // would have made of it.
  addRow("C:\\t\\x\xED\xA0\x80.tmp", 10);
  files.addFile("C:\\t\\x\xEF\xBF\xBD.tmp", 10);
  files.addFile("C:\\t\\x\xED\xA0\x81.tmp", 10);
  auto result = deleteCheckedFiles(files, results);
  EXPECT_EQ(result.deletedCount, 3);
  EXPECT_FALSE(files.contains("C:\\t\\x\xED\xA0\x80.tmp"));
  EXPECT_TRUE(files.contains("C:\\t\\x\xEF\xBF\xBD.tmp"));
  EXPECT_TRUE(files.contains("C:\\t\\x\xED\xA0\x81.tmp"));
  EXPECT_TRUE(files.contains("C:\\t\\keep.txt"));
  EXPECT_FALSE(files.contains("C:\\t\\keep.txt."));
  EXPECT_FALSE(files.contains("C:\\t\\nul"));
}

TEST_F(FileDeletionTest, NothingIsDeletedThroughALinkMadeAfterTheScan) {
  files.addFile("C:\\Windows\\System32\\a.tmp", 2048);
  files.addFile("C:\\Windows\\System32\\b.tmp", 2048);
  addRow("C:\\Temp\\sub\\a.tmp", 2048);
  addRow("C:\\Temp\\sub\\b.tmp", 2048);
  addRow("C:\\Temp\\c.tmp", 2048);
  // After the scan, the listed folder becomes a junction to the canaries.
  files.addFolderLink("C:\\Temp\\sub", "C:\\Windows\\System32");
  auto result = deleteCheckedFiles(files, results);
  EXPECT_EQ(result.deletedCount, 1);
  EXPECT_TRUE(files.contains("C:\\Windows\\System32\\a.tmp"));
  EXPECT_TRUE(files.contains("C:\\Windows\\System32\\b.tmp"));
  ASSERT_EQ(results.count(), 2);
  EXPECT_TRUE(results.checked(0) && results.checked(1));
}

// With the Recycle Bin chosen, on a machine with a fixed C:, a removable E: and a
// network share: each file goes its own way, and no check of a deletion is lost.
TEST_F(FileDeletionTest, TheRecycleBinTakesWhatDeleteWouldAndNothingElse) {
  fakes::FakeDrives drives;
  drives.addDrive('C', {});
  fakes::FakeDrive card;
  card.type = platform::DriveType::removable;
  drives.addDrive('E', card);
  fakes::FakeShell shell(&files);
  RecycleBinRoute route{drives, shell};
  addRow("C:\\t\\a.tmp", 2048);                          // recycled
  addRow("C:\\$RECYCLE.BIN\\S-1-5-21\\$RX1.tmp", 1024);  // already in a bin: deleted
  addRow("C:\\Recycler\\S-1-5-21\\Dc1.tmp", 3072);       // the old bin: deleted
  addRow("E:\\card\\b.tmp", 4096);                       // removable: kept, counted
  addRow("\\\\server\\share\\c.tmp", 4096);              // network: kept, counted
  addRow("C:\\t\\readonly.tmp", 2048);                   // refused as deleteFile refuses it
  files.setAttributes("C:\\t\\readonly.tmp", platform::file_attribute::readOnly);
  addRow("C:\\Temp\\sub\\d.tmp", 2048);  // its folder becomes a link: refused
  files.addFile("C:\\Windows\\d.tmp", 2048);
  files.addFolderLink("C:\\Temp\\sub", "C:\\Windows");

  const DeletionResult result = deleteCheckedFiles(files, results, {}, &route);
  EXPECT_EQ(recyclingStatusText({"R: ", "T: ", "D: ", "S: ", "K: "}, result),
            "R: 1\nT: 2 Kb.\nD: 2\nS: 4 Kb.\nK: 2");
  EXPECT_FALSE(files.contains("C:\\t\\a.tmp"));
  EXPECT_TRUE(files.contains("C:\\Windows\\d.tmp"));
  ASSERT_EQ(results.count(), 4);
  for (int row = 0; row < results.count(); ++row) {
    EXPECT_TRUE(results.checked(row));
    EXPECT_TRUE(files.contains(results.rowCaption(row))) << results.rowCaption(row);
  }
}

// Recycling past a bin's limit would make Windows delete for good what the bin
// held: the files of such a drive are deleted for good only when the user says
// so, left when nobody is asked, and nothing happens when the user cancels. A
// bin the shell cannot measure (Wine's) enforces no limit and takes its files.
TEST_F(FileDeletionTest, NothingTheRecycleBinHoldsIsPushedOut) {
  fakes::FakeDrives drives;
  for (char drive : {'C', 'D', 'F'}) drives.addDrive(drive, {});
  fakes::FakeShell shell(&files);
  shell.setRecycleBinSpace('C', platform::RecycleBinSpace{1000, 3, 5000});  // 4000 bytes free.
  shell.setRecycleBinSpace('D', platform::RecycleBinSpace{0, 0, 5000});
  shell.setRecycleBinSpace('F', std::nullopt);
  const auto fill = [&] {
    results.clear();
    addRow("C:\\t\\a.tmp", 2048);
    addRow("C:\\t\\b.tmp", 2048);  // Together 96 bytes past what the bin has free.
    addRow("D:\\t\\d.tmp", 4096);
    addRow("F:\\t\\f.tmp", 10);
  };
  for (BinFullChoice choice : {BinFullChoice::cancel, BinFullChoice::leave, BinFullChoice::deleteForGood}) {
    fill();
    std::vector<std::string> asked;
    RecycleBinRoute route{drives, shell, [&](const std::vector<std::string>& roots) {
                            asked = roots;
                            return choice;
                          }};
    const DeletionResult result = deleteCheckedFiles(files, results, {}, &route);
    EXPECT_EQ(asked, std::vector<std::string>{"C:\\"});
    const bool gone = choice == BinFullChoice::deleteForGood;
    EXPECT_EQ(result.cancelled, choice == BinFullChoice::cancel);
    EXPECT_EQ(files.contains("C:\\t\\a.tmp"), !gone);
    for (const char* recycled : {"D:\\t\\d.tmp", "F:\\t\\f.tmp"})
      EXPECT_EQ(files.contains(recycled), choice == BinFullChoice::cancel);
    EXPECT_EQ(results.count(), choice == BinFullChoice::cancel ? 4 : gone ? 0 : 2);
    EXPECT_EQ(recyclingStatusText({"R: ", "T: ", "D: ", "S: ", "K: "}, result),
              choice == BinFullChoice::cancel ? "R: 0\nT: 0 Kb."
              : gone                          ? "R: 2\nT: 4 Kb.\nD: 2\nS: 4 Kb."
                                              : "R: 2\nT: 4 Kb.\nK: 2")
        << static_cast<int>(choice);
  }
}

// Hundreds of files go to the Recycle Bin in batches, each row keeping its own
// outcome across them: a file the bin refuses and a read-only one keep their
// rows, and a file listed twice within one batch ends that batch, so that its
// second row is checked again once the file has gone, and fails.
TEST_F(FileDeletionTest, RecyclingInBatchesKeepsEachRowsOwnOutcome) {
  fakes::FakeDrives drives;
  drives.addDrive('C', {});
  fakes::FakeShell shell(&files);
  RecycleBinRoute route{drives, shell};
  for (int i = 0; i < 300; ++i) addRow("C:\\t\\f" + std::to_string(i) + ".tmp", 1024);
  results.addRow({"C:\\t\\f250.tmp", "1"}, true);
  shell.refuseRecycling("C:\\t\\f172.tmp");
  files.setAttributes("C:\\t\\f171.tmp", platform::file_attribute::readOnly);

  const DeletionResult result = deleteCheckedFiles(files, results, {}, &route);
  EXPECT_EQ(recyclingStatusText({"R: ", "T: ", "D: ", "S: ", "K: "}, result), "R: 298\nT: 298 Kb.\nK: 1");
  std::vector<std::string> left;
  for (int row = 0; row < results.count(); ++row) left.push_back(results.rowCaption(row));
  EXPECT_EQ(left, (std::vector<std::string>{"C:\\t\\f171.tmp", "C:\\t\\f172.tmp", "C:\\t\\f250.tmp"}));
  // From the last row: 50 rows up to the second listing of f250; then 128 rows,
  // of which f250 (gone) and f171 (read-only) are not sent; then the 123 left.
  EXPECT_EQ(shell.recycleBatches(), (std::vector<std::size_t>{50, 126, 123}));
}

}  // namespace
}  // namespace velmora::junk
