// The Uninstall page on the fakes: the installed programs of every source, rows
// that keep their own key, the uninstaller started from exactly that key, and
// Delete with its question and backup.
#include "program_page_fixture.h"

namespace velmora::app {
namespace {

using namespace platform;
using widgets::MessageAnswer;

constexpr const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr const char* kUninstall32 = "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

class UninstallPageTest : public testing::ProgramPageTest<UninstallPage> {
 protected:
  UninstallPageTest() {
    list.onSelectItem = [this](int row) { page.selectItem(row); };
  }

  void program(RegKey root, const std::string& key, const std::string& name, const std::string& command) {
    plant.text(root, key, "DisplayName", name);
    plant.text(root, key, "UninstallString", command);
  }
  std::vector<std::string> started() const {
    std::vector<std::string> lines;
    for (const auto& start : machine.shell.started()) lines.push_back(start.commandLine);
    return lines;
  }
};

TEST_F(UninstallPageTest, ListsTheProgramsOfEverySourceThatHaveANameAndAnUninstaller) {
  const std::string app = std::string(kUninstall) + "App";
  program(HKEY_LOCAL_MACHINE, app, "App", "\"C:\\Program Files\\App\\uninst.exe\" /S");
  plant.text(HKEY_LOCAL_MACHINE, app, "Publisher", "Maker");
  plant.text(HKEY_LOCAL_MACHINE, app, "DisplayVersion", "1.2");
  plant.text(HKEY_LOCAL_MACHINE, app, "InstallLocation", "C:\\Program Files\\App");
  plant.text(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "NoCommand", "DisplayName", "No command");
  plant.text(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "NoName", "UninstallString", "C:\\x.exe");
  program(HKEY_LOCAL_MACHINE, std::string(kUninstall32) + "Old", "Old", "MsiExec.exe /X{1}");
  plant.number(HKEY_LOCAL_MACHINE, std::string(kUninstall32) + "Old", "DisplayVersion", 3);
  program(HKEY_CURRENT_USER, std::string(kUninstall) + "Mine", "Mine", "C:\\Users\\me\\mine\\remove.exe");
  machine.shell.setIconIndex(".exe", 9);

  search();
  EXPECT_EQ(rows(), (std::vector<std::vector<std::string>>{{"App", "Maker", "1.2", "C:\\Program Files\\App"},
                                                           {"Old", "", "", ""},
                                                           {"Mine", "", "", ""}}));
  EXPECT_EQ(list.imageIndex(2), 9);
  EXPECT_EQ(status.simpleText(), "StringFoundFiles:3");
}

// Two programs of one name, the second in the 32-bit view: each row leads to its
// own key, and deleting the second leaves the first alone.
TEST_F(UninstallPageTest, EachRowLeadsToItsOwnKeyEvenUnderOneName) {
  program(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "Same", "Same", "\"C:\\A\\uninst.exe\" /x");
  program(HKEY_LOCAL_MACHINE, std::string(kUninstall32) + "Same", "Same", "\"C:\\B\\uninst.exe\" /x");
  machine.shell.addProgram("C:\\B\\uninst.exe");
  search();
  ASSERT_EQ(list.count(), 2);

  page.uninstallClick();
  EXPECT_TRUE(started().empty()) << "nothing is selected yet";

  list.userSelect(1);
  EXPECT_EQ(page.selectedUninstallCommand(), "\"C:\\B\\uninst.exe\" /x");
  const test_support::RegistryTree before = plant.tree(HKEY_LOCAL_MACHINE, "Software");
  deleteRow(1, MessageAnswer::Yes);
  EXPECT_EQ(list.count(), 1);
  EXPECT_FALSE(plant.exists(HKEY_LOCAL_MACHINE, std::string(kUninstall32) + "Same"));
  EXPECT_TRUE(plant.exists(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "Same"));
  EXPECT_EQ(h.dialogs.shown().back().text, "StringDeleteRegKey:");

  // The command of the program selected last still starts, exactly as stored.
  page.uninstallClick();
  EXPECT_EQ(started(), std::vector<std::string>{"\"C:\\B\\uninst.exe\" /x"});

  const auto backup = machine.textFiles.bytes(std::string(kBackups) + "uninstall-20250102-000000.reg");
  ASSERT_TRUE(backup.has_value());
  ASSERT_TRUE(test_support::importRegFile(machine.registry, *backup));
  EXPECT_EQ(plant.tree(HKEY_LOCAL_MACHINE, "Software"), before) << "the backup puts the key back";
}

TEST_F(UninstallPageTest, AProgramWhoseKeyIsGoneIsReportedAndNothingIsDeleted) {
  program(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "Gone", "Gone", "C:\\gone.exe");
  program(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "Kept", "Kept", "C:\\kept.exe");
  machine.shell.addProgram("C:\\kept.exe");
  search();
  list.userSelect(1);
  ASSERT_EQ(page.selectedUninstallCommand(), "C:\\kept.exe");

  machine.registry.deleteKey(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "Gone");
  list.userSelect(0);
  EXPECT_EQ(shownTexts(), std::vector<std::string>{"StringCantOpenKey:"});
  page.uninstallClick();
  EXPECT_TRUE(started().empty()) << "a failed selection leaves no earlier program to start";
  deleteRow(0, MessageAnswer::Yes);
  EXPECT_EQ(shownTexts().back(), "StringCantDeleteKey:");
  EXPECT_EQ(list.count(), 2);
  EXPECT_TRUE(plant.exists(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "Kept"));

  // A key that lost its command since the listing.
  RegKey kept{};
  ASSERT_EQ(
      machine.registry.openKey(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "Kept", KEY_ALL_ACCESS, kept),
      ERROR_SUCCESS);
  machine.registry.deleteValue(kept, "UninstallString");
  machine.registry.closeKey(kept);
  list.userSelect(1);
  EXPECT_EQ(shownTexts().back(), "StringDataNotFound:");
}

// A program planted at the shorter path an unquoted uninstall command with blanks
// begins with is what Windows would start in its place.
TEST_F(UninstallPageTest, AProgramPlantedAtAShorterPathNeverStarts) {
  for (const char* path : {"C:\\Program.exe", "C:\\Program Files\\App\\uninst.exe"}) {
    machine.files.addFile(path);
    machine.shell.addProgram(path);
  }
  program(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "App", "App",
          "C:\\Program Files\\App\\uninst.exe /S");
  program(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "Gone", "Gone",
          "C:\\Program Files\\Gone\\uninst.exe");
  search();
  list.userSelect(0);
  page.uninstallClick();
  list.userSelect(1);
  page.uninstallClick();
  const std::vector<fakes::FakeShell::Started> runs = machine.shell.started();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].program, "C:\\Program Files\\App\\uninst.exe");
  EXPECT_EQ(runs[0].commandLine, "\"C:\\Program Files\\App\\uninst.exe\" /S");
}

// An expandable command names its folder through a variable; a program that
// does not start says why.
TEST_F(UninstallPageTest, AnExpandableCommandStartsExpandedAndAFailedStartSaysWhy) {
  machine.files.addFile("C:\\Program Files\\App\\uninstall.exe");
  machine.shell.addProgram("C:\\Program Files\\App\\uninstall.exe");
  machine.files.addFile("C:\\Program Files\\Gone\\uninstall.exe");
  const auto expandable = [&](const std::string& name, const std::string& command) {
    plant.text(HKEY_LOCAL_MACHINE, std::string(kUninstall) + name, "DisplayName", name);
    plant.text(HKEY_LOCAL_MACHINE, std::string(kUninstall) + name, "UninstallString", command, REG_EXPAND_SZ);
  };
  expandable("App", "\"%ProgramFiles%\\App\\uninstall.exe\" /S");
  expandable("Gone", "\"%ProgramFiles%\\Gone\\uninstall.exe\"");
  expandable("Unset", "\"%NoSuchFolder%\\App\\uninstall.exe\" /S");
  search();
  ASSERT_EQ(list.count(), 3);

  list.userSelect(0);
  page.uninstallClick();
  EXPECT_EQ(started(), std::vector<std::string>{"\"C:\\Program Files\\App\\uninstall.exe\" /S"});
  EXPECT_TRUE(shownTexts().empty());

  list.userSelect(1);
  page.uninstallClick();
  EXPECT_EQ(shownTexts(), std::vector<std::string>{"StringCantStartUninstaller:\n\n\"C:\\Program "
                                                   "Files\\Gone\\uninstall.exe\"\n\nThe system cannot find "
                                                   "the file specified. (2)"});
  list.userSelect(2);
  page.uninstallClick();
  EXPECT_EQ(shownTexts().back(), "StringCantStartSafely:\n\n\"%NoSuchFolder%\\App\\uninstall.exe\" /S");
  EXPECT_EQ(started().size(), 1u);
}

}  // namespace
}  // namespace velmora::app
