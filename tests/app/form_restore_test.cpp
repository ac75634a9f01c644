// The Restore window against a machine of fakes: backups the Registry page's
// deletion wrote, listed from both places, put back through the window's buttons.
#include "app/form_restore.h"

#include <gtest/gtest.h>

#include "fakes/fake_services.h"
#include "headless_app.h"
#include "platform/data_folders.h"
#include "registry/problem_deletion.h"
#include "registry/problem_scan.h"
#include "registry/registry_backup.h"
#include "registry/registry_object.h"
#include "registry/registry_planter.h"

namespace velmora::app {
namespace {

using namespace platform;
using widgets::MessageAnswer;

constexpr const char* kProgram = "C:\\Velmora\\";
const std::string kOwnBackups = "C:\\Users\\tester\\AppData\\Local\\Velmora Disk Cleaner\\backups\\";

class FormRestoreTest : public ::testing::Test {
 protected:
  FormRestoreTest() {
    machine.drives.addDrive('C', {});
    machine.files.addFolder("C:\\Velmora");
    form.backupFolders = [this] { return dataFolders(machine.system, kProgram, "backups"); };
    form.pageCaption = [](std::string_view kind) { return "page " + std::string(kind); };
    for (int column = 0; column < 4; ++column) results.addColumn("", 100);
  }

  // The Registry page's scan and deletion; the backup is also put where a folder
  // listing finds it, which the fake text files alone are not.
  registry::BackupFile scanAndDelete(int second) {
    struct Rows final : registry::ProblemScanView {
      widgets::ListView& list;
      std::vector<registry::ProblemRow> problems;
      explicit Rows(widgets::ListView& l) : list(l) {}
      bool categoryChecked(registry::ProblemCategory) override { return true; }
      bool keepGoing() override { return true; }
      void clearResults() override { list.clear(); }
      void listProblem(registry::ProblemRow row) override {
        list.setRowData(list.addRow({"", row.entry, row.rootText, row.registryKey}, true),
                        static_cast<std::uint32_t>(problems.size()));
        problems.push_back(std::move(row));
      }
      void categoryDone(registry::ProblemCategory) override {}
    } rows(results);
    registry::ProblemScan(machine.registry, machine.files, machine.drives).run(rows);
    registry::BackupFile written;
    registry::deleteCheckedProblems(
        machine.registry, results, rows.problems, [&](const registry::RegFileExport& content) {
          std::tm time{};
          time.tm_year = 2025 - 1900;
          time.tm_mday = 2;
          time.tm_sec = second;
          written = registry::writeRegistryBackup(machine.services, kProgram, "registry", time, content);
          return written;
        });
    if (written.written) machine.files.addFile(written.path);
    return written;
  }
  std::vector<std::string> column(int index) const {
    std::vector<std::string> cells;
    for (int row = 0; row < form.ListViewBackups.count(); ++row)
      cells.push_back(form.ListViewBackups.cell(row, index));
    return cells;
  }
  void press(widgets::Button& button, int row, MessageAnswer answer) {
    form.ListViewBackups.userSelect(row);
    h.dialogs.answer(answer);
    button.click();
  }
  std::string lastMessage() const { return h.dialogs.shown().back().text; }
  void removeTree(RegKey root, const std::string& path) {
    registry::TRegistry key(machine.registry);
    key.SetRoot(root);
    ASSERT_TRUE(key.RemoveKeyTree(path)) << path;
  }

  fakes::FakeServices machine;
  test_support::RegistryPlanter plant{machine.registry};
  widgets::testing::HeadlessApp h;
  MessageTexts messages;
  TFormRestore form{h.app, machine.services, messages};
  widgets::Form main{h.app, "TForm1"};
  widgets::ListView results{main, "ListViewReg"};
};

// A per-user class holding data no text can carry, and a 32-bit class: deleted
// by the Registry page, put back by the window exactly where they were.
TEST_F(FormRestoreTest, RestorePutsBackWhatTheDeletionTookByteForByte) {
  const std::string mine = "Software\\Classes\\.mine";
  plant.text(HKEY_CURRENT_USER, mine, "", "");
  const std::string class32 = "Software\\Classes\\WOW6432Node\\CLSID\\{W}";
  plant.text(HKEY_LOCAL_MACHINE, class32 + "\\InprocServer32", "", "C:\\Gone\\w.dll");
  RegKey key{};
  ASSERT_EQ(machine.registry.openKey(HKEY_LOCAL_MACHINE, class32, KEY_ALL_ACCESS, key), ERROR_SUCCESS);
  const std::string odd("\x00\xD8x", 3);  // A lone surrogate and an odd byte.
  ASSERT_EQ(machine.registry.setValueBytes(key, "Odd", REG_SZ, odd), ERROR_SUCCESS);
  machine.registry.closeKey(key);
  const test_support::RegistryTree before = plant.tree(HKEY_CURRENT_USER, "Software");
  const test_support::RegistryTree machineBefore = plant.tree(HKEY_LOCAL_MACHINE, "Software");

  ASSERT_TRUE(scanAndDelete(0).written);
  ASSERT_FALSE(plant.exists(HKEY_CURRENT_USER, mine));
  ASSERT_FALSE(plant.exists(HKEY_LOCAL_MACHINE, class32));

  form.refresh();
  ASSERT_EQ(column(3), std::vector<std::string>{"registry-20250102-000000.reg"});
  EXPECT_EQ(column(0), std::vector<std::string>{"2025-01-02 00:00:00"});
  EXPECT_EQ(column(1), std::vector<std::string>{"page registry"});
  EXPECT_EQ(column(2), std::vector<std::string>{"6"});
  press(form.ButtonRestore, 0, MessageAnswer::Yes);
  EXPECT_EQ(lastMessage(), "Entries restored: 6");
  EXPECT_EQ(plant.tree(HKEY_CURRENT_USER, "Software"), before);
  EXPECT_EQ(plant.tree(HKEY_LOCAL_MACHINE, "Software"), machineBefore);
  RegType type = REG_NONE;
  std::string bytes;
  ASSERT_EQ(machine.registry.openKey(HKEY_LOCAL_MACHINE, class32, KEY_READ, key), ERROR_SUCCESS);
  EXPECT_EQ(machine.registry.queryValueBytes(key, "Odd", type, bytes), ERROR_SUCCESS);
  EXPECT_EQ(bytes, odd);
}

// Both places, newest first; a file that is not ours lists with "?" and restores
// nothing; No changes nothing; Delete takes the file away.
TEST_F(FormRestoreTest, ListsBothPlacesAndRefusesWhatItCannotRead) {
  plant.key(HKEY_CURRENT_USER, "Software\\EmptyOne");
  ASSERT_TRUE(scanAndDelete(1).written);
  machine.textFiles.setUnwritable("C:\\Velmora\\data\\backups\\registry-20250102-000002.reg");
  plant.key(HKEY_CURRENT_USER, "Software\\EmptyTwo");
  const registry::BackupFile fallback = scanAndDelete(2);
  ASSERT_EQ(fallback.path, kOwnBackups + "registry-20250102-000002.reg");
  const std::string damaged = kOwnBackups + "startup-20250102-000003.reg";
  machine.textFiles.put(damaged, "\xFF\xFEW\0h\0a\0t\0?\0");
  machine.files.addFile(damaged);

  form.refresh();
  EXPECT_EQ(column(3),
            (std::vector<std::string>{"startup-20250102-000003.reg", "registry-20250102-000002.reg",
                                      "registry-20250102-000001.reg"}));
  EXPECT_EQ(column(2), (std::vector<std::string>{"?", "1", "1"}));
  form.ListViewBackups.userSelect(0);
  form.ButtonRestore.click();
  EXPECT_EQ(lastMessage(), form.StringDamaged) << "no question for a file that restores nothing";
  press(form.ButtonRestore, 1, MessageAnswer::No);
  EXPECT_FALSE(plant.exists(HKEY_CURRENT_USER, "Software\\EmptyTwo"));
  press(form.ButtonDelete, 1, MessageAnswer::Yes);
  EXPECT_EQ(column(3),
            (std::vector<std::string>{"startup-20250102-000003.reg", "registry-20250102-000001.reg"}));
}

// An uninstall key deleted with its backup, then App 2 installed in its place:
// the restore writes only what App 2 lacks, asks before it replaces the rest,
// and saves what it replaces into a backup that undoes it in turn.
TEST_F(FormRestoreTest, AReinstalledProgramKeepsItsValuesUnlessTheUserAgreesAndThenCanGoBack) {
  const std::string app = "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\App";
  const auto install = [&](const std::string& version) {
    plant.text(HKEY_LOCAL_MACHINE, app, "DisplayName", "App");
    plant.text(HKEY_LOCAL_MACHINE, app, "DisplayVersion", version);
    plant.text(HKEY_LOCAL_MACHINE, app, "UninstallString", "C:\\App " + version + "\\u.exe");
  };
  install("1");
  plant.text(HKEY_LOCAL_MACHINE, app, "Publisher", "Maker");
  const test_support::RegistryTree firstTree = plant.tree(HKEY_LOCAL_MACHINE, app);
  registry::RegFileExport content(machine.registry);
  ASSERT_TRUE(content.addKeyTree(HKEY_LOCAL_MACHINE, app));
  const registry::BackupFile first =
      registry::writeRegistryBackup(machine.services, kProgram, "uninstall", std::tm{}, content);
  machine.files.addFile(first.path);
  removeTree(HKEY_LOCAL_MACHINE, app);
  install("2");
  const test_support::RegistryTree second = plant.tree(HKEY_LOCAL_MACHINE, app);
  form.saveReplaced = [this](const registry::RegFileExport& replaced, std::string_view page) {
    std::tm time{};
    time.tm_sec = 30;
    const registry::BackupFile saved =
        registry::writeRegistryBackup(machine.services, kProgram, "restore", time, replaced, page);
    machine.files.addFile(saved.path);
    return saved;
  };
  form.refresh();

  // No: App 2's values stay; only the publisher it lacks is written.
  h.dialogs.answer(MessageAnswer::Yes);
  press(form.ButtonRestore, 0, MessageAnswer::No);
  const auto& shown = h.dialogs.shown();
  EXPECT_NE(shown[shown.size() - 3].text.find("page uninstall"), std::string::npos) << "the page is named";
  const std::string changed = shown[shown.size() - 2].text;
  EXPECT_NE(changed.find("HKEY_LOCAL_MACHINE\\" + app + "\\DisplayVersion"), std::string::npos);
  test_support::RegistryTree kept = second;
  kept[app]["Publisher"] = plant.tree(HKEY_LOCAL_MACHINE, app)[app]["Publisher"];
  EXPECT_EQ(plant.tree(HKEY_LOCAL_MACHINE, app), kept);
  EXPECT_EQ(lastMessage().find("Entries restored: 1\nAlready as in the backup: 2\n"), 0u);
  EXPECT_NE(lastMessage().find("DisplayVersion (" + form.StringChanged + ")"), std::string::npos);
  ASSERT_EQ(column(3).size(), 1u) << "nothing was replaced, so nothing was saved";

  // Yes: version 1 comes back, and App 2's values are listed as a backup first.
  h.dialogs.answer(MessageAnswer::Yes);
  press(form.ButtonRestore, 0, MessageAnswer::Yes);
  EXPECT_EQ(plant.tree(HKEY_LOCAL_MACHINE, app), firstTree);
  ASSERT_EQ(column(3),
            (std::vector<std::string>{"restore-19000100-000030.reg", "uninstall-19000100-000000.reg"}));
  h.dialogs.answer(MessageAnswer::Yes);
  press(form.ButtonRestore, 0, MessageAnswer::Yes);
  EXPECT_EQ(plant.tree(HKEY_LOCAL_MACHINE, app), kept) << "the restore is undone";
}

// Only the places the backup's page deletes from: a Run value in a Registry-page
// file, a page its comment and its name disagree on, a file outside the Startup
// folders. Each lists as "?" and restores nothing.
TEST_F(FormRestoreTest, ABackupNamingAnythingItsPageNeverDeletesRestoresNothing) {
  const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  plant.text(HKEY_CURRENT_USER, run, "Planted", "C:\\evil.exe");
  plant.text(HKEY_CURRENT_USER, "Software\\Classes\\.mine", "", "");
  registry::RegFileExport both(machine.registry);
  ASSERT_TRUE(both.addKeyTree(HKEY_CURRENT_USER, "Software\\Classes\\.mine"));
  ASSERT_TRUE(both.addValue(HKEY_CURRENT_USER, run, "Planted"));
  registry::RegFileExport mine(machine.registry);
  ASSERT_TRUE(mine.addKeyTree(HKEY_CURRENT_USER, "Software\\Classes\\.mine"));
  const auto put = [&](const std::string& name, const std::string& bytes) {
    machine.textFiles.put(std::string(kProgram) + "data\\backups\\" + name, bytes);
    machine.files.addFile(std::string(kProgram) + "data\\backups\\" + name);
  };
  put("registry-20250102-000001.reg", both.fileBytes(registry::backupComment("registry")));
  put("uninstall-20250102-000002.reg", mine.fileBytes(registry::backupComment("registry")));
  put("restore-20250102-000003.reg", mine.fileBytes());
  put("startup-20250102-000004.dat", "MZ");
  put("startup-20250102-000004.ini", "[File]\r\nPath=C:\\Windows\\System32\\version.dll\r\n");
  put("registry-20250102-000005.reg", mine.fileBytes(registry::backupComment("registry")));
  removeTree(HKEY_CURRENT_USER, run);
  removeTree(HKEY_CURRENT_USER, "Software\\Classes\\.mine");

  form.refresh();
  EXPECT_EQ(column(2), (std::vector<std::string>{"2", "?", "?", "?", "?"}));
  for (int row = 1; row < 5; ++row) {
    form.ListViewBackups.userSelect(row);
    form.ButtonRestore.click();
    EXPECT_EQ(lastMessage(), form.StringForeign) << row;
  }
  EXPECT_FALSE(plant.exists(HKEY_CURRENT_USER, run));
  EXPECT_FALSE(plant.exists(HKEY_CURRENT_USER, "Software\\Classes\\.mine"));
  EXPECT_FALSE(machine.files.contains("C:\\Windows\\System32\\version.dll"));
}

}  // namespace
}  // namespace velmora::app
