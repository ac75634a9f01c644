#include "app/registry_page.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <thread>

#include "fakes/fake_services.h"
#include "headless_app.h"
#include "registry/reg_file_reader.h"
#include "registry/registry_planter.h"
#include "widgets/form.h"

namespace velmora::app {
namespace {

using namespace std::chrono_literals;
using namespace platform;

// The Registry page's controls on a headless form, and a machine of fakes with a
// fixed drive C: and the program in C:\Velmora.
class RegistryPageTest : public ::testing::Test {
 protected:
  RegistryPageTest() {
    types.setCheckBoxes(true);
    types.addColumn("", 100);
    for (int row = 0; row < 8; ++row) types.addRow({std::string()}, true);
    for (int column = 0; column < 4; ++column) results.addColumn("", 100);
    progress.setRange(0, 100);
    for (auto key : MessageTexts::kKeys) messages.set(key, std::string(key) + ":");
    machine.drives.addDrive('C', {});
    machine.files.addFolder("C:\\Velmora");
    page.localTime = [] {
      std::tm time{};
      time.tm_year = 2025 - 1900;
      time.tm_mday = 2;
      return time;
    };
  }

  // Runs the UI tasks one at a time until the worker has ended and nothing is
  // left, noting each position the bar takes.
  std::vector<int> pumpUntilIdle() {
    std::vector<int> positions;
    for (;;) {
      const bool finished = page.workerFinished();
      const bool more = h.app.runPendingTasks(std::chrono::nanoseconds(0));
      if (progress.position() != (positions.empty() ? 0 : positions.back()))
        positions.push_back(progress.position());
      if (finished && !more) return positions;
      if (!more) std::this_thread::sleep_for(1ms);
    }
  }

  // Empty keys Software\Empty0 ... below the current user, listed by a scan.
  void listEmptyKeys(int count) {
    for (int i = 0; i < count; ++i) plant.key(HKEY_CURRENT_USER, "Software\\Empty" + std::to_string(i));
    page.searchClick();
    pumpUntilIdle();
  }
  // Keys below the current user's Software key, itself included.
  std::size_t softwareKeys() const { return plant.tree(HKEY_CURRENT_USER, "Software").size(); }
  const std::string backupPath = "C:\\Velmora\\data\\backups\\registry-20250102-000000.reg";
  fakes::FakeServices machine;
  test_support::RegistryPlanter plant{machine.registry};
  widgets::testing::HeadlessApp h;
  widgets::Form form{h.app, "TForm1"};
  widgets::ListView types{form, "ListViewTypesReg"};
  widgets::ListView results{form, "ListViewReg"};
  widgets::Button search{form, "ButtonSearchReg"};
  widgets::Edit edit{form, "EditSearchReg"};
  widgets::ProgressBar progress{form, "pbReg"};
  widgets::StatusBar status{form, "StatusBar1"};
  MessageTexts messages;
  int statusRefreshes = 0;
  RegistryPage page{h.app,
                    machine.services,
                    {types, results, search, edit, progress, status},
                    messages,
                    [this] {
                      ++statusRefreshes;
                      status.setSimpleText(page.statusSummary());
                    },
                    "C:\\Velmora\\"};
};

TEST_F(RegistryPageTest, ASearchListsCheckedProblemsAndReturnsTheButtonToSearch) {
  results.addRow({"old row"});
  plant.key(HKEY_CURRENT_USER, "Software\\Empty");
  plant.key(HKEY_CLASSES_ROOT, ".xyz");
  page.searchClick();
  EXPECT_TRUE(page.scanRunning());
  EXPECT_EQ(search.caption(), "StringStop:");
  EXPECT_EQ(status.simpleText(), "");
  EXPECT_EQ(pumpUntilIdle(), (std::vector<int>{12, 25, 37, 50, 62, 75, 87, 0}));
  ASSERT_EQ(results.count(), 2);
  EXPECT_EQ(results.cell(0, 0), "StringUnusedExt:");
  EXPECT_EQ(results.cell(1, 0), "StringObsolete:");
  EXPECT_EQ(results.cell(1, 1), "Empty");
  EXPECT_TRUE(results.checked(0) && results.checked(1));
  EXPECT_EQ(status.simpleText(), "StringFoundProblems:2");
  EXPECT_FALSE(page.scanRunning());
  EXPECT_EQ(search.caption(), "StringSearch:");
  EXPECT_EQ(edit.caption(), "");
}

TEST_F(RegistryPageTest, OnlyCheckedCategoriesAreScannedAndMoveTheBar) {
  plant.key(HKEY_CURRENT_USER, "Software\\Empty");
  types.uncheckAll();
  page.searchClick();
  EXPECT_TRUE(pumpUntilIdle().empty());
  EXPECT_EQ(results.count(), 0);
  EXPECT_EQ(page.problemCount(), 0);
  EXPECT_EQ(statusRefreshes, 0);

  types.setChecked(7, true);
  page.searchClick();
  EXPECT_EQ(pumpUntilIdle(), (std::vector<int>{87, 0}));
}

TEST_F(RegistryPageTest, StopKeepsTheRowsAndNothingIsAddedAfterwards) {
  for (int i = 0; i < 20000; ++i) plant.key(HKEY_CURRENT_USER, "Software\\Empty" + std::to_string(i));
  page.searchClick();
  // One UI task at a time, so Stop comes after the first batch of rows and before
  // the end of the run is handled, however fast the worker ends.
  while (results.count() == 0) h.app.runPendingTasks(std::chrono::nanoseconds(0));
  page.searchClick();  // Stop
  const int rowsAtStop = results.count();
  const std::string statusAtStop = status.simpleText();
  EXPECT_FALSE(page.scanRunning());
  EXPECT_EQ(search.caption(), "StringSearch:");
  EXPECT_EQ(progress.position(), 0);
  pumpUntilIdle();
  EXPECT_EQ(results.count(), rowsAtStop);
  EXPECT_LT(rowsAtStop, 20000);
  EXPECT_EQ(status.simpleText(), statusAtStop);
  EXPECT_EQ(statusAtStop, "StringFoundProblems:" + std::to_string(rowsAtStop));
}

TEST_F(RegistryPageTest, DeleteBacksUpFirstAndSaysSoWhenItCannot) {
  plant.key(HKEY_CURRENT_USER, "Software\\Empty");
  plant.key(HKEY_CURRENT_USER, "Software\\Other");
  page.searchClick();
  pumpUntilIdle();
  ASSERT_EQ(results.count(), 2);

  const std::string path = backupPath;
  const std::string fallback =
      "C:\\Users\\tester\\AppData\\Local\\Velmora Disk Cleaner\\backups\\registry-20250102-000000.reg";
  machine.textFiles.setUnwritable(path);
  machine.textFiles.setUnwritable(fallback);
  page.deleteClick();
  pumpUntilIdle();
  ASSERT_EQ(h.dialogs.shown().size(), 1u);
  EXPECT_EQ(h.dialogs.shown()[0].text, "Cannot create file " + path);
  EXPECT_EQ(results.count(), 2);
  EXPECT_TRUE(plant.exists(HKEY_CURRENT_USER, "Software\\Empty"));

  machine.textFiles.setUnwritable(path, false);
  results.setChecked(0, false);
  page.deleteClick();
  pumpUntilIdle();
  EXPECT_EQ(h.dialogs.shown().size(), 1u) << "a deletion that could back up says nothing";
  ASSERT_EQ(results.count(), 1);
  EXPECT_EQ(results.cell(0, 1), "Empty");
  EXPECT_FALSE(plant.exists(HKEY_CURRENT_USER, "Software\\Other"));
  EXPECT_TRUE(machine.textFiles.bytes(path).has_value());
  EXPECT_EQ(status.simpleText(), "StringFoundProblems:2") << "the status line keeps the scan's count";
}

// Delete runs on the worker: held halfway, the page is busy (Search is Stop, a
// second Delete does nothing) and the status line counts. Stop ends the run after
// the entry under way; every entry that went is in the backup, written whole
// before the first, and the others keep their rows, checked, for the next Delete.
TEST_F(RegistryPageTest, StopMidDeleteLeavesEveryDeletedEntryBackedUpAndTheRestListed) {
  listEmptyKeys(300);
  std::promise<void> reached, release;
  machine.registry.onDelete([&, released = release.get_future().share(), deletes = 0]() mutable {
    const int count = ++deletes;
    if (count == 50) std::this_thread::sleep_for(60ms);  // A count is shown after this one.
    if (count != 100) return;
    reached.set_value();
    released.wait();
  });
  page.deleteClick();
  reached.get_future().wait();
  while (h.app.runPendingTasks(0ns)) continue;
  EXPECT_TRUE(page.deletionRunning());
  EXPECT_EQ(search.caption(), "StringStop:");
  int shown = 0;
  std::sscanf(status.simpleText().c_str(), "StringFoundProblems:300   %d / 300", &shown);
  EXPECT_TRUE(shown >= 50 && shown < 100) << status.simpleText();
  page.deleteClick();
  page.searchClick();  // Stop
  release.set_value();
  pumpUntilIdle();

  EXPECT_EQ(search.caption(), "StringSearch:");
  EXPECT_EQ(status.simpleText(), "StringFoundProblems:300");
  EXPECT_EQ(softwareKeys(), 1u + 200);
  const auto backup = registry::readRegFile(machine.textFiles.bytes(backupPath).value_or(""));
  EXPECT_EQ(backup ? backup->sections.size() : 0u, 300u);
  ASSERT_EQ(results.count(), 200);
  for (int row = 0; row < results.count(); ++row) {
    EXPECT_TRUE(results.checked(row));
    EXPECT_TRUE(plant.exists(HKEY_CURRENT_USER, "Software\\" + results.cell(row, 1))) << results.cell(row, 1);
  }
}

// Closing while an entry is being deleted waits for it; the next one is never
// begun, and the page changes no more.
TEST_F(RegistryPageTest, ClosingDuringADeletionWaitsForTheEntryUnderWay) {
  listEmptyKeys(50);
  std::promise<void> reached;
  machine.registry.onDelete([&, deletes = 0]() mutable {
    if (++deletes != 10) return;
    reached.set_value();
    std::this_thread::sleep_for(300ms);
  });
  page.deleteClick();
  reached.get_future().wait();
  page.stopScan();
  EXPECT_EQ(softwareKeys(), 1u + 40);
  pumpUntilIdle();
  EXPECT_EQ(softwareKeys(), 1u + 40);
  EXPECT_EQ(results.count(), 50);
  EXPECT_TRUE(machine.textFiles.bytes(backupPath).has_value());
}

}  // namespace
}  // namespace velmora::app
