#include "app/files_page.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "fakes/fake_services.h"
#include "headless_app.h"
#include "junk/settings_lists.h"
#include "widgets/form.h"

namespace velmora::app {
namespace {

using namespace std::chrono_literals;

// The Files page's controls on a headless form, the Settings window's two lists,
// and a machine of fakes with drive C: and a profile folder.
class FilesPageTest : public ::testing::Test {
 protected:
  FilesPageTest() {
    for (auto* list : {&types, &drives, &results, &catalogue}) {
      list->setCheckBoxes(true);
      list->addColumn("", 100);
      list->addColumn("", 100);
    }
    for (int row = 0; row < 8; ++row) types.addRow({std::string()}, row == 0);  // junk names only
    for (auto key : MessageTexts::kKeys) messages.set(key, std::string(key) + ":");
    fakes::FakeDrive c;
    c.space = {1024 * 1024, 1024 * 1024 * 10, 1024 * 1024};
    c.volume = {"SYSTEM", 1234, "NTFS"};
    machine.drives.addDrive('C', c);
    machine.files.addFolder("C:\\");
  }

  // Runs the UI queue until the page's worker has ended and nothing is left.
  void pumpUntilIdle() {
    while (!page.workerFinished()) {
      h.app.runPendingTasks();
      std::this_thread::sleep_for(1ms);
    }
    h.app.runPendingTasks();
  }

  fakes::FakeServices machine;
  widgets::testing::HeadlessApp h;
  widgets::Form form{h.app, "TForm1"};
  widgets::ListView types{form, "ListViewTypesFiles"};
  widgets::ListView drives{form, "ListViewDrives"};
  widgets::Label driveInfo{form, "LabelDriveInfo"};
  widgets::ListView results{form, "ListViewFiles"};
  widgets::Button search{form, "ButtonSearchFiles"};
  widgets::Edit edit{form, "EditSearchFiles"};
  widgets::ProgressBar progress{form, "pbFiles"};
  widgets::StatusBar status{form, "StatusBar1"};
  widgets::Form settings{h.app, "TFormSettings"};
  widgets::ListView catalogue{settings, "ListViewJunk"};
  widgets::Memo exclusions{settings, "MemoExclusions"};
  MessageTexts messages;
  int statusRefreshes = 0;
  FilesPage page{h.app,
                 machine.services,
                 {types, drives, driveInfo, results, search, edit, progress, status, catalogue, exclusions},
                 messages,
                 [this] {
                   ++statusRefreshes;
                   status.setSimpleText(page.statusSummary());
                 }};
};

TEST_F(FilesPageTest, TheDriveListShowsTheFirstDriveCheckedAndItsInformation) {
  machine.drives.addDrive('D', fakes::FakeDrive{platform::DriveType::cdRom, true, {}, {}});
  page.buildDriveList();
  ASSERT_EQ(drives.count(), 1);
  EXPECT_EQ(drives.rowCaption(0), "C:\\");
  EXPECT_EQ(drives.cell(0, 1), "10,240");
  EXPECT_TRUE(drives.checked(0));
  EXPECT_EQ(drives.selectedIndex(), 0);
  EXPECT_EQ(driveInfo.caption(),
            "StringDrive:C\r\nStringDriveLabel:SYSTEM\r\nStringDriveNumber:1234\r\nStringFileSystem:NTFS\r\n"
            "StringDiskSpaceTotal:10,240 Kb\r\nStringDiskSpaceFree:1,024 Kb");
}

TEST_F(FilesPageTest, ASearchListsTheJunkAndReturnsTheButtonToSearch) {
  machine.files.addFile("C:\\a\\report.~doc", 4096);
  machine.files.addFile("C:\\a\\keep.txt");
  page.buildDriveList();
  page.searchClick("C:\\Profile\\");
  EXPECT_TRUE(page.scanRunning());
  EXPECT_EQ(search.caption(), "StringStop:");
  pumpUntilIdle();
  ASSERT_EQ(results.count(), 1);
  EXPECT_EQ(results.rowCaption(0), "C:\\a\\report.~doc");
  EXPECT_EQ(results.cell(0, 1), "4");
  EXPECT_TRUE(results.checked(0));
  EXPECT_EQ(status.simpleText(), "StringFoundFiles:1 StringTotalSpace:4 Kb.");
  EXPECT_EQ(search.caption(), "StringSearch:");
  EXPECT_EQ(edit.caption(), "");
  EXPECT_EQ(progress.position(), 0);
}

TEST_F(FilesPageTest, AScanThatFindsNothingLeavesTheStatusLineEmpty) {
  status.setSimpleText("old");
  page.buildDriveList();
  page.searchClick("C:\\Profile\\");
  pumpUntilIdle();
  EXPECT_EQ(results.count(), 0);
  EXPECT_EQ(status.simpleText(), "");
  EXPECT_EQ(statusRefreshes, 0);
}

TEST_F(FilesPageTest, StopKeepsTheRowsAndNothingIsAddedAfterwards) {
  for (int i = 0; i < 20000; ++i) machine.files.addFile("C:\\big\\f" + std::to_string(i) + ".~tmp");
  page.buildDriveList();
  page.searchClick("C:\\Profile\\");
  while (results.count() == 0) h.app.runPendingTasks();
  page.searchClick("C:\\Profile\\");  // Stop
  const int rowsAtStop = results.count();
  const std::string statusAtStop = status.simpleText();
  EXPECT_FALSE(page.scanRunning());
  EXPECT_EQ(search.caption(), "StringSearch:");
  EXPECT_EQ(edit.caption(), "");
  EXPECT_EQ(progress.position(), 0);
  pumpUntilIdle();
  EXPECT_EQ(results.count(), rowsAtStop);
  EXPECT_EQ(status.simpleText(), statusAtStop);
  for (int row = 0; row < results.count(); ++row) EXPECT_TRUE(results.checked(row));
}

TEST_F(FilesPageTest, AFolderExcludedInAnEarlierRunIsSkippedWithoutOpeningSettings) {
  machine.files.addFile("C:\\Keep\\precious.~doc");
  machine.files.addFile("C:\\Other\\junk.~doc");
  machine.textFiles.put("C:\\Prog\\data\\exclusions.dat", "c:\\keep\r\n");
  ASSERT_TRUE(junk::loadExclusions(machine.textFiles, "C:\\Prog\\data\\exclusions.dat", exclusions));
  page.buildDriveList();
  page.searchClick("C:\\Profile\\");
  pumpUntilIdle();
  ASSERT_EQ(results.count(), 1);
  EXPECT_EQ(results.rowCaption(0), "C:\\Other\\junk.~doc");
}

TEST_F(FilesPageTest, ALinkedFolderOfPreciousFilesSurvivesScanAndDelete) {
  machine.files.addFile("C:\\Precious\\canary.~doc");
  machine.files.addFile("C:\\Profile\\Local Settings\\Temp\\old.tmp");
  machine.files.addFolderLink("C:\\Profile\\Local Settings\\Temp\\link");
  machine.files.addFile("C:\\Profile\\Local Settings\\Temp\\link\\canary.~doc");
  types.uncheckAll();
  types.setChecked(4, true);  // temporary files
  page.buildDriveList();
  page.searchClick("C:\\Profile\\");
  pumpUntilIdle();
  ASSERT_EQ(results.count(), 1);
  page.checkAllClick();
  page.deleteClick();
  EXPECT_FALSE(machine.files.contains("C:\\Profile\\Local Settings\\Temp\\old.tmp"));
  EXPECT_TRUE(machine.files.contains("C:\\Precious\\canary.~doc"));
  EXPECT_TRUE(machine.files.contains("C:\\Profile\\Local Settings\\Temp\\link\\canary.~doc"));
  EXPECT_EQ(status.simpleText(), "StringFilesDeleted:1\nStringSpaceCleared:0 Kb.");
}

TEST_F(FilesPageTest, UncheckAllThenDeleteDeletesNothing) {
  machine.files.addFile("C:\\x.~tmp", 2048);
  page.buildDriveList();
  page.searchClick("C:\\Profile\\");
  pumpUntilIdle();
  page.uncheckAllClick();
  page.deleteClick();
  EXPECT_TRUE(machine.files.contains("C:\\x.~tmp"));
  EXPECT_EQ(results.count(), 1);
  EXPECT_EQ(status.simpleText(), "StringFilesDeleted:0\nStringSpaceCleared:0 Kb.");
}

}  // namespace
}  // namespace velmora::app
