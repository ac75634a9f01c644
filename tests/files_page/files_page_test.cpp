#include "app/files_page.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <future>
#include <thread>
#include <vector>

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
  EXPECT_EQ(status.simpleText(), "StringFoundFiles:1 StringTotalSpace:4 Kb. C:\\ StringWalked:");
  EXPECT_EQ(search.caption(), "StringSearch:");
  EXPECT_EQ(edit.caption(), "");
  EXPECT_EQ(progress.position(), 0);
}

// The type list's second column: empty before a scan and for an unchecked category,
// each checked category's amount after it, nothing included; and the status line
// says the scan ran when it found nothing.
TEST_F(FilesPageTest, EachCheckedCategoryShowsWhatItFoundAndAnEmptyScanReports) {
  types.setChecked(4, true);
  machine.files.addFile("C:\\Profile\\Local Settings\\Temp\\a.dat", 3 * 1024 * 1024 - 100);
  page.buildDriveList();
  EXPECT_EQ(types.cell(4, 1), "");
  page.searchClick("C:\\Profile\\");
  pumpUntilIdle();
  EXPECT_EQ((std::vector<std::string>{types.cell(0, 1), types.cell(4, 1), types.cell(5, 1)}),
            (std::vector<std::string>{"0 MB", "3 MB", ""}));
  // Category 0 walked drive C: the line says so after the totals.
  EXPECT_EQ(status.simpleText(), "StringFoundFiles:1 StringTotalSpace:3071 Kb. C:\\ StringWalked:");
  types.setChecked(4, false);
  page.searchClick("C:\\Profile\\");
  pumpUntilIdle();
  EXPECT_EQ(status.simpleText(), "StringFoundFiles:0 StringTotalSpace:0 Kb. C:\\ StringWalked:");
  EXPECT_EQ(types.cell(4, 1), "");
}

// More rows than one batch holds, among files that are not junk: every row
// arrives, in the order of the walk, and the status line ends exact.
TEST_F(FilesPageTest, RowsArriveInBatchesCompleteAndInOrderAndTheLastStatusIsExact) {
  std::vector<std::string> expected;
  for (int i = 0; i < 15000; ++i) {
    char path[32];
    std::snprintf(path, sizeof path, "C:\\big\\f%05d.%s", i, i % 3 == 0 ? "~tmp" : "dat");
    machine.files.addFile(path, 1024);
    if (i % 3 == 0) expected.emplace_back(path);
  }
  page.buildDriveList();
  page.searchClick("C:\\Profile\\");
  pumpUntilIdle();
  std::vector<std::string> rows;
  for (int row = 0; row < results.count(); ++row) rows.push_back(results.rowCaption(row));
  EXPECT_EQ(rows, expected);
  EXPECT_EQ(status.simpleText(), "StringFoundFiles:5000 StringTotalSpace:5000 Kb. C:\\ StringWalked:");
  EXPECT_LT(statusRefreshes, static_cast<int>(expected.size()) / 10)
      << "the status line is refreshed per row";
}

// A shell that holds the scan at its first question about the type ".~zz" until
// the test lets it go, and otherwise answers as the machine's fake shell.
class GatedShell final : public platform::Shell {
 public:
  explicit GatedShell(platform::Shell& inner) : inner_(inner) {}

  std::future<void> reached() { return reached_.get_future(); }
  // Lets the held scan go on; a second call does nothing.
  void release() {
    if (!releasedOnce_.exchange(true)) release_.set_value();
  }

  std::optional<int> iconIndexOfType(std::string_view extension) override {
    if (extension == ".~zz") {
      reached_.set_value();
      released_.wait();
    }
    return inner_.iconIndexOfType(extension);
  }
  std::uintptr_t systemSmallImageList() override { return inner_.systemSmallImageList(); }
  std::optional<int> iconIndexOfPath(std::string_view path) override { return inner_.iconIndexOfPath(path); }
  std::optional<std::string> shortcutTarget(std::string_view path) override {
    return inner_.shortcutTarget(path);
  }
  std::optional<std::string> shortcutArguments(std::string_view path) override {
    return inner_.shortcutArguments(path);
  }
  std::optional<std::string> folderPath(int csidl) override { return inner_.folderPath(csidl); }
  int shellExecute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                   std::string_view parameters, std::string_view directory, int showCommand) override {
    return inner_.shellExecute(owner, verb, file, parameters, directory, showCommand);
  }
  std::uint32_t createProcess(std::string_view commandLine, int showCommand) override {
    return inner_.createProcess(commandLine, showCommand);
  }
  std::unique_ptr<platform::RecycleRun> beginRecycling() override { return inner_.beginRecycling(); }
  std::optional<platform::RecycleBinSpace> recycleBinSpace(std::string_view root) override {
    return inner_.recycleBinSpace(root);
  }

 private:
  platform::Shell& inner_;
  std::promise<void> reached_;
  std::promise<void> release_;
  std::shared_future<void> released_ = release_.get_future().share();
  std::atomic<bool> releasedOnce_{false};
};

// A Files page over the machine's fakes whose scan is held by GatedShell at the
// file "C:\\b\\z.~zz", after the 5000 junk files under "C:\\a" have been found.
class FilesPageHeldTest : public FilesPageTest {
 protected:
  FilesPageHeldTest() {
    for (int i = 0; i < 5000; ++i) machine.files.addFile("C:\\a\\f" + std::to_string(i) + ".~tmp");
    machine.files.addFile("C:\\b\\z.~zz");
    held.buildDriveList();
    held.searchClick("C:\\Profile\\");
    reached.wait();
  }
  // A test that stops early must not leave the worker held while the page joins it.
  ~FilesPageHeldTest() override { shell.release(); }

  // Lets the scan go on and runs the UI queue until its worker has ended.
  void releaseAndPumpUntilIdle() {
    shell.release();
    while (!held.workerFinished()) {
      h.app.runPendingTasks();
      std::this_thread::sleep_for(1ms);
    }
    h.app.runPendingTasks();
  }

  GatedShell shell{machine.shell};
  std::future<void> reached = shell.reached();
  platform::Services services{machine.registry,  machine.files,    machine.drives, shell,
                              machine.textFiles, machine.memory,   machine.system, machine.internet,
                              machine.encoding,  machine.scheduler};
  FilesPage held{h.app,
                 services,
                 {types, drives, driveInfo, results, search, edit, progress, status, catalogue, exclusions},
                 messages,
                 [this] { status.setSimpleText(held.statusSummary()); }};
};

// Stop after a batch of rows has reached the list: the rows stay, checked, and
// nothing of that run is added afterwards. The scan is held rather than raced:
// on a fast machine it can end before the first batch is shown, and the second
// click would then start another search.
TEST_F(FilesPageHeldTest, StopKeepsTheRowsAndNothingIsAddedAfterwards) {
  while (results.count() == 0) h.app.runPendingTasks();
  held.searchClick("C:\\Profile\\");  // Stop
  const int rowsAtStop = results.count();
  const std::string statusAtStop = status.simpleText();
  EXPECT_FALSE(held.scanRunning());
  EXPECT_EQ(search.caption(), "StringSearch:");
  EXPECT_EQ(edit.caption(), "");
  EXPECT_EQ(progress.position(), 0);
  releaseAndPumpUntilIdle();
  EXPECT_EQ(results.count(), rowsAtStop);
  EXPECT_EQ(status.simpleText(), statusAtStop);
  for (int row = 0; row < results.count(); ++row) EXPECT_TRUE(results.checked(row));
}

// Stop comes while a full batch of rows is handed over but not yet run by the
// UI thread. Nothing of that run appears.
TEST_F(FilesPageHeldTest, NothingAppearsAfterStopEvenWithABatchInFlight) {
  held.searchClick("C:\\Profile\\");  // Stop
  releaseAndPumpUntilIdle();
  EXPECT_EQ(results.count(), 0);
  EXPECT_EQ(status.simpleText(), "");
  EXPECT_EQ(search.caption(), "StringSearch:");
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
  page.deleteClick(false);
  pumpUntilIdle();
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
  page.deleteClick(false);
  pumpUntilIdle();
  EXPECT_TRUE(machine.files.contains("C:\\x.~tmp"));
  EXPECT_EQ(results.count(), 1);
  EXPECT_EQ(status.simpleText(), "StringFilesDeleted:0\nStringSpaceCleared:0 Kb.");
}

// Moving many files to the Recycle Bin runs on the worker, in batches: while the
// second batch is under way the page is busy (Search is Stop, the page stays) and
// Stop ends the run after it. The rows of what went are removed, a file the bin
// refused in the first batch keeps its row, and the rows never reached stay as
// they were, unchecked ones too; nothing happens afterwards.
TEST_F(FilesPageTest, RecyclingRunsInBatchesOnTheWorkerAndStopsBetweenTwo) {
  page.buildDriveList();
  for (int i = 0; i < 600; ++i) {
    const std::string path = "C:\\j\\f" + std::to_string(i) + ".tmp";
    machine.files.addFile(path, 2048);
    results.addRow({path, "2"}, i != 100);
  }
  machine.shell.refuseRecycling("C:\\j\\f590.tmp");  // In the first batch: rows go from the last.
  std::promise<void> reached;
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  machine.shell.onRecycleBatch([&](std::size_t batch) {
    if (batch != 1) return;
    reached.set_value();
    released.wait();
  });
  page.deleteClick(true);
  reached.get_future().wait();
  EXPECT_TRUE(page.deletionRunning());
  EXPECT_EQ(search.caption(), "StringStop:");
  page.deleteClick(true);             // A second Delete waits for nothing and does nothing.
  page.searchClick("C:\\Profile\\");  // Stop
  release.set_value();
  pumpUntilIdle();

  EXPECT_FALSE(page.deletionRunning());
  EXPECT_EQ(search.caption(), "StringSearch:");
  EXPECT_EQ(machine.shell.recycleBatches(), (std::vector<std::size_t>{128, 128}));
  EXPECT_EQ(status.simpleText(), "StringFilesRecycled:255\nStringTotalSpace:510 Kb.\nStringKeptOutOfBin:1");
  ASSERT_EQ(results.count(), 600 - 255);
  for (int row = 0; row < results.count(); ++row) {
    const std::string path = results.rowCaption(row);
    EXPECT_TRUE(machine.files.contains(path)) << path;
    EXPECT_EQ(results.checked(row), path != "C:\\j\\f100.tmp") << path;
  }
  EXPECT_EQ(results.rowCaption(results.count() - 1), "C:\\j\\f590.tmp");
  EXPECT_EQ(results.rowCaption(results.count() - 2), "C:\\j\\f343.tmp");
}

// The program closing in the middle of a batch waits for the batch, so the shell
// is never cut off while it moves a file; the next batch is never begun.
TEST_F(FilesPageTest, ClosingDuringRecyclingWaitsForTheBatchUnderWay) {
  page.buildDriveList();
  for (int i = 0; i < 200; ++i) {
    const std::string path = "C:\\j\\f" + std::to_string(i) + ".tmp";
    machine.files.addFile(path, 2048);
    results.addRow({path, "2"}, true);
  }
  std::promise<void> reached;
  machine.shell.onRecycleBatch([&](std::size_t batch) {
    if (batch != 0) return;
    reached.set_value();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  });
  page.deleteClick(true);
  reached.get_future().wait();
  page.stopScan();
  for (int i = 199; i >= 200 - 128; --i)
    EXPECT_FALSE(machine.files.contains("C:\\j\\f" + std::to_string(i) + ".tmp")) << i;
  EXPECT_TRUE(machine.files.contains("C:\\j\\f0.tmp"));
  pumpUntilIdle();
  EXPECT_EQ(machine.shell.recycleBatches(), (std::vector<std::size_t>{128}));
}

// A browser started between Search and Delete keeps its cache: its rows stay
// checked and the status line names it, while the cache of one still closed goes.
TEST_F(FilesPageTest, ABrowserOpenedAfterTheSearchKeepsItsCacheRows) {
  const std::string local = "C:\\Users\\tester\\AppData\\Local\\";
  const std::string chrome = local + "Google\\Chrome\\User Data\\";
  const std::string edge = local + "Microsoft\\Edge\\User Data\\";
  for (const std::string& userData : {chrome, edge})
    machine.files.addFile(userData + "Default\\Cache\\Cache_Data\\data_1", 2048);
  machine.files.addFile(chrome + "lockfile");  // Left by a crash: Chrome is closed at the Search.
  types.setChecked(0, false);
  types.setChecked(5, true);
  page.buildDriveList();
  page.searchClick("C:\\Users\\tester\\");
  pumpUntilIdle();
  ASSERT_EQ(results.count(), 2);
  machine.files.setHeldOpen(chrome + "lockfile", true);
  page.deleteClick(false);
  pumpUntilIdle();
  ASSERT_EQ(results.count(), 1);
  EXPECT_EQ(results.rowCaption(0), chrome + "Default\\Cache\\Cache_Data\\data_1");
  EXPECT_TRUE(results.checked(0));
  EXPECT_TRUE(machine.files.contains(chrome + "Default\\Cache\\Cache_Data\\data_1"));
  EXPECT_EQ(status.simpleText(), "StringFilesDeleted:1\nStringSpaceCleared:2 Kb.\nStringBrowsersOpened:Google Chrome");
}

}  // namespace
}  // namespace velmora::app
