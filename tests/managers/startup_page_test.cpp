// The Startup page on the fakes: every Run key Windows reads, rows that keep their
// source, and Delete with its question and backup.
#include "program_page_fixture.h"

namespace velmora::app {
namespace {

using namespace platform;
using widgets::MessageAnswer;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";
constexpr const char* kRun32 = "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run\\";
constexpr const char* kOn = "StringEnabled:";
constexpr const char* kToolData = "\"C:\\Program Files\\Tool\\tool.exe\" /background";

class StartupPageTest : public testing::ProgramPageTest<StartupPage> {
 protected:
  // "Tool" in all three places, with other data in the 32-bit view.
  void plantToolEverywhere() {
    plant.text(HKEY_LOCAL_MACHINE, kRun, "Tool", kToolData);
    plant.text(HKEY_LOCAL_MACHINE, kRun32, "Tool", "C:\\Apps\\tool32.exe");
    plant.text(HKEY_CURRENT_USER, kRun, "Tool", kToolData);
  }
};

TEST_F(StartupPageTest, ListsTheRunKeysOfBothMachineViewsAndOfTheUser) {
  status.setSimpleText("earlier");
  search();
  EXPECT_EQ(list.count(), 0) << "no Run key at all";
  EXPECT_EQ(status.simpleText(), "");

  plantToolEverywhere();
  plant.text(HKEY_CURRENT_USER, kRun, "Expanded", "%ProgramFiles%\\a.exe -min", REG_EXPAND_SZ);
  plant.number(HKEY_CURRENT_USER, kRun, "Number", 1);
  machine.shell.setIconIndex(".exe", 7);
  search();
  EXPECT_EQ(rows(), (std::vector<std::vector<std::string>>{
                        {"Tool", kToolData, kOn, "HKLM", kRun},
                        {"Tool", "C:\\Apps\\tool32.exe", kOn, "HKLM", kRun32},
                        {"Expanded", "%ProgramFiles%\\a.exe ", kOn, "HKCU", kRun},
                        {"Number", "", kOn, "HKCU", kRun},
                        {"Tool", "C:\\Program Files\\Tool\\tool.exe ", kOn, "HKCU", kRun}}));
  EXPECT_EQ(list.imageIndex(1), 7);
  EXPECT_EQ(status.simpleText(), "StringFoundFiles:5");
}

TEST_F(StartupPageTest, TheWorkingPathIsCutAsWindowsStartsItsCommand) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {kToolData, "C:\\Program Files\\Tool\\tool.exe "},
      {"C:\\Apps\\tool.exe /a -b", "C:\\Apps\\tool.exe /a"},
      {"C:\\Apps\\my-tool\\run.exe -min", "C:\\Apps\\my-tool\\run.exe "},
      {"C:\\Windows\\system32\\rundll32.exe shell32.dll,Control_RunDLL",
       "C:\\Windows\\system32\\rundll32.exe shell32.dll"},
      {"C:\\Program Files\\A B\\x.exe", "C:\\Program Files\\A B\\x.exe"}};
  for (const auto& [data, path] : cases) EXPECT_EQ(managers::startupWorkingPath(data), path) << data;
}

TEST_F(StartupPageTest, DeleteRemovesExactlyTheSelectedRowsValueAfterBackingItUp) {
  plantToolEverywhere();
  search();
  ASSERT_EQ(list.count(), 3);
  const test_support::RegistryTree machineBefore = plant.tree(HKEY_LOCAL_MACHINE, "Software");

  deleteRow(1, MessageAnswer::No);
  EXPECT_EQ(list.count(), 3);
  EXPECT_EQ(plant.tree(HKEY_LOCAL_MACHINE, "Software"), machineBefore);
  ASSERT_EQ(h.dialogs.shown().size(), 1u);
  EXPECT_EQ(h.dialogs.shown()[0].text, "StringDeleteProgramFromStartUp:");
  EXPECT_EQ(h.dialogs.shown()[0].caption, "StringConfirmation:");

  deleteRow(1, MessageAnswer::Yes);
  EXPECT_EQ(rows(), (std::vector<std::vector<std::string>>{
                        {"Tool", kToolData, kOn, "HKLM", kRun},
                        {"Tool", "C:\\Program Files\\Tool\\tool.exe ", kOn, "HKCU", kRun}}));
  EXPECT_FALSE(plant.hasValue(HKEY_LOCAL_MACHINE, kRun32, "Tool"));
  EXPECT_TRUE(plant.hasValue(HKEY_LOCAL_MACHINE, kRun, "Tool"));
  EXPECT_TRUE(plant.hasValue(HKEY_CURRENT_USER, kRun, "Tool"));
  EXPECT_EQ(status.simpleText(), "StringFoundFiles:3") << "a deletion keeps the listing's count";
  const auto backup = machine.textFiles.bytes(std::string(kBackups) + "startup-20250102-000000.reg");
  ASSERT_TRUE(backup.has_value());
  ASSERT_TRUE(test_support::importRegFile(machine.registry, *backup));
  EXPECT_EQ(plant.tree(HKEY_LOCAL_MACHINE, "Software"), machineBefore) << "the backup puts the value back";
  EXPECT_EQ(h.dialogs.shown().size(), 2u) << "a deletion that worked says nothing";
}

TEST_F(StartupPageTest, NothingIsDeletedWithoutItsSourceOrItsBackup) {
  plantToolEverywhere();
  search();
  const std::string backup = std::string(kBackups) + "startup-20250102-000000.reg";
  const std::string fallback =
      "C:\\Users\\tester\\AppData\\Local\\Velmora Disk Cleaner\\backups\\startup-20250102-000000.reg";
  machine.textFiles.setUnwritable(backup);
  machine.textFiles.setUnwritable(fallback);
  deleteRow(0, MessageAnswer::Yes);
  EXPECT_EQ(shownTexts().back(), "Cannot create file " + backup);
  EXPECT_TRUE(plant.hasValue(HKEY_LOCAL_MACHINE, kRun, "Tool"));
  EXPECT_EQ(list.count(), 3);

  // Gone since the listing: the page does not fall back on a value of that name
  // elsewhere.
  RegKey run{};
  ASSERT_EQ(machine.registry.openKey(HKEY_CURRENT_USER, kRun, KEY_ALL_ACCESS, run), ERROR_SUCCESS);
  machine.registry.deleteValue(run, "Tool");
  machine.registry.closeKey(run);
  machine.textFiles.setUnwritable(backup, false);
  machine.textFiles.setUnwritable(fallback, false);
  deleteRow(2, MessageAnswer::Yes);
  EXPECT_EQ(shownTexts().back(), "StringCantDeleteItem:");
  EXPECT_EQ(list.count(), 3);
  EXPECT_TRUE(plant.hasValue(HKEY_LOCAL_MACHINE, kRun, "Tool"));
  EXPECT_TRUE(plant.hasValue(HKEY_LOCAL_MACHINE, kRun32, "Tool"));
  EXPECT_FALSE(machine.textFiles.bytes(backup).has_value());

  // Nothing selected: nothing is asked.
  list.setSelectedIndex(-1);
  const std::size_t boxes = h.dialogs.shown().size();
  page.deleteClick();
  EXPECT_EQ(h.dialogs.shown().size(), boxes);
}

// A question box lets queued work run while it is open, as the system's modal
// boxes do: here a new listing empties the list and fills it in another order.
TEST_F(StartupPageTest, DeleteFollowsItsEntryWhileAListingRefillsTheList) {
  struct ListingWhileAsking : widgets::DialogService {
    std::function<void()> whileOpen;
    MessageAnswer messageBox(const widgets::MessageBoxRequest&) override {
      whileOpen();
      return MessageAnswer::Yes;
    }
  } dialogs;
  h.app.setDialogs(&dialogs);
  plant.text(HKEY_LOCAL_MACHINE, kRun, "First", "C:\\first.exe");
  plant.text(HKEY_CURRENT_USER, kRun, "Mine", "C:\\mine.exe");
  search();
  dialogs.whileOpen = [this] {
    plant.text(HKEY_LOCAL_MACHINE, kRun, "Second", "C:\\second.exe");
    search();
  };
  list.userSelect(1);
  page.deleteClick();
  EXPECT_EQ(rows(), (std::vector<std::vector<std::string>>{{"First", "C:\\first.exe", kOn, "HKLM", kRun},
                                                           {"Second", "C:\\second.exe", kOn, "HKLM", kRun}}));
  EXPECT_FALSE(plant.hasValue(HKEY_CURRENT_USER, kRun, "Mine"));
  EXPECT_TRUE(plant.hasValue(HKEY_LOCAL_MACHINE, kRun, "Second"));
}

TEST_F(StartupPageTest, SearchIsIgnoredWhileAListingRuns) {
  plantToolEverywhere();
  const std::size_t before = machine.registry.callCount();
  search();
  const std::size_t oneListing = machine.registry.callCount() - before;
  page.searchClick();
  page.searchClick();
  pumpUntilIdle();
  EXPECT_EQ(machine.registry.callCount() - before, 2 * oneListing);
  EXPECT_EQ(list.count(), 3);
  search();
  EXPECT_EQ(machine.registry.callCount() - before, 3 * oneListing)
      << "a finished listing lets the next start";
}

}  // namespace
}  // namespace velmora::app
