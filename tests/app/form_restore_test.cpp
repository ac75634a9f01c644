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
  press(form.ButtonRestore, 0, MessageAnswer::Yes);
  EXPECT_EQ(lastMessage(), form.StringDamaged);
  press(form.ButtonRestore, 1, MessageAnswer::No);
  EXPECT_FALSE(plant.exists(HKEY_CURRENT_USER, "Software\\EmptyTwo"));
  press(form.ButtonDelete, 1, MessageAnswer::Yes);
  EXPECT_EQ(column(3),
            (std::vector<std::string>{"startup-20250102-000003.reg", "registry-20250102-000001.reg"}));
}

}  // namespace
}  // namespace velmora::app
