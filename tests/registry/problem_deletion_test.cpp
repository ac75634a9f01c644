// The deletion of registry problems and its backup, against a machine of fakes:
// rows as the scan lists them, deleted from a headless result list.
#include "registry/problem_deletion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_services.h"
#include "headless_app.h"
#include "reg_file_import.h"
#include "registry/problem_scan.h"
#include "registry/reg_file_reader.h"
#include "registry_planter.h"
#include "widgets/form.h"

namespace velmora::registry {
namespace {

using namespace platform;

// Lists every problem into the result list as the page does, every row checked
// and holding the index of its problem.
class ListingView final : public ProblemScanView {
 public:
  ListingView(widgets::ListView& results, std::vector<ProblemRow>& problems)
      : results_(results), problems_(problems) {}
  bool categoryChecked(ProblemCategory) override { return true; }
  bool keepGoing() override { return true; }
  void clearResults() override {
    results_.clear();
    problems_.clear();
  }
  void listProblem(ProblemRow row) override {
    const int added = results_.addRow({"problem", row.entry, row.rootText, row.registryKey}, true);
    results_.setRowData(added, static_cast<std::uint32_t>(problems_.size()));
    problems_.push_back(std::move(row));
  }
  void categoryDone(ProblemCategory) override {}

 private:
  widgets::ListView& results_;
  std::vector<ProblemRow>& problems_;
};

class ProblemDeletionTest : public ::testing::Test {
 protected:
  ProblemDeletionTest() {
    machine.drives.addDrive('C', {});
    machine.files.addFolder("C:\\Windows");
    machine.files.addFile("C:\\Windows\\here.dll");
    for (int column = 0; column < 4; ++column) results.addColumn("", 100);
  }

  void scan() {
    ListingView view(results, problems);
    ProblemScan(machine.registry, machine.files, machine.drives).run(view);
  }
  ProblemDeletion deleteChecked() {
    return deleteCheckedProblems(machine.registry, results, problems, [this](const RegFileExport& file) {
      ++backups;
      backup = file.fileBytes();
      return BackupFile{backupWritable, "C:\\Velmora\\data\\backups\\registry-x.reg"};
    });
  }
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (int row = 0; row < results.count(); ++row) names.push_back(results.cell(row, 1));
    return names;
  }
  // What the deletion may touch, and what sits beside it.
  test_support::RegistryTree everything() const {
    test_support::RegistryTree all;
    for (auto [root, path] :
         {std::pair{HKEY_LOCAL_MACHINE, "Software"}, std::pair{HKEY_CLASSES_ROOT, "CLSID"},
          std::pair{HKEY_CLASSES_ROOT, ".xyz"}, std::pair{HKEY_CURRENT_USER, "Software"}})
      all.merge(plant.tree(root, path));
    return all;
  }

  fakes::FakeServices machine;
  test_support::RegistryPlanter plant{machine.registry};
  widgets::testing::HeadlessApp h;
  widgets::Form form{h.app, "TForm1"};
  widgets::ListView results{form, "ListViewReg"};
  std::vector<ProblemRow> problems;
  bool backupWritable = true;
  int backups = 0;
  std::string backup;
};

TEST_F(ProblemDeletionTest, EveryKindOfRowDeletesItsEntryAndTheBackupPutsItBack) {
  plant.number(HKEY_LOCAL_MACHINE, kSharedDllsKey, "C:\\Gone\\a.dll", 1);
  plant.number(HKEY_LOCAL_MACHINE, kSharedDllsKey, "C:\\Windows\\here.dll", 1);
  plant.key(HKEY_CLASSES_ROOT, ".xyz");
  plant.text(HKEY_CURRENT_USER, "Software\\Classes\\.mine", "", "");
  plant.text(HKEY_CLASSES_ROOT, "CLSID\\{A}\\InprocServer32", "", "C:\\Gone\\a.dll");
  plant.text(HKEY_CLASSES_ROOT, "CLSID\\{A}\\LocalServer32", "", "C:\\Gone\\a.exe");
  plant.text(HKEY_CLASSES_ROOT, "CLSID\\{A}\\ProgID", "", "Gone.Thing");
  plant.text(HKEY_CLASSES_ROOT, "CLSID\\{B}\\InprocServer32", "", "C:\\Windows\\here.dll");
  plant.text(HKEY_LOCAL_MACHINE, kHelpKey, "x.hlp", "C:\\Help");
  plant.text(HKEY_LOCAL_MACHINE, kHelpKey, "", "the help key's own default value");
  plant.number(HKEY_LOCAL_MACHINE, kInstallerFoldersKey, "C:\\Gone\\", 1);
  plant.text(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "Gone", "UninstallString", "C:\\Gone\\un.exe");
  plant.text(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "Gone\\Below", "more", "x");
  plant.key(HKEY_CURRENT_USER, "Software\\Empty");
  // What 32-bit programs registered on 64-bit Windows.
  const std::string uninstall32 = "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  plant.text(HKEY_LOCAL_MACHINE, uninstall32 + "Gone32", "UninstallString", "C:\\Gone\\un32.exe");
  plant.text(HKEY_LOCAL_MACHINE, "Software\\Classes\\WOW6432Node\\CLSID\\{W}\\InprocServer32", "",
             "C:\\Gone\\w.dll");
  plant.text(HKEY_CURRENT_USER, kMuiCacheKey, "C:\\Old\\app.exe", "App");
  plant.text(HKEY_CURRENT_USER, kCurrentMuiCacheKey, "C:\\Old\\tool.exe.FriendlyAppName", "Tool");
  plant.text(HKEY_CURRENT_USER, kCurrentMuiCacheKey, "C:\\Windows\\here.dll.FriendlyAppName", "Kept");
  const test_support::RegistryTree before = everything();
  scan();
  ASSERT_EQ(results.count(), 13);

  const ProblemDeletion result = deleteChecked();
  EXPECT_EQ(backups, 1);
  EXPECT_FALSE(result.backupFailed);
  EXPECT_EQ(result.deletedCount, 12);
  // The two rows of {A} share one class key: the lower row took it, the other stays.
  ASSERT_EQ(entries(), std::vector<std::string>{"InprocServer32 - C:\\Gone\\a.dll"});
  EXPECT_TRUE(results.checked(0));
  EXPECT_FALSE(plant.hasValue(HKEY_LOCAL_MACHINE, kSharedDllsKey, "C:\\Gone\\a.dll"));
  EXPECT_TRUE(plant.hasValue(HKEY_LOCAL_MACHINE, kSharedDllsKey, "C:\\Windows\\here.dll"));
  EXPECT_FALSE(plant.exists(HKEY_CLASSES_ROOT, ".xyz"));
  EXPECT_FALSE(plant.exists(HKEY_CURRENT_USER, "Software\\Classes\\.mine"));
  EXPECT_FALSE(plant.exists(HKEY_CLASSES_ROOT, "CLSID\\{A}"));
  EXPECT_TRUE(plant.exists(HKEY_CLASSES_ROOT, "CLSID\\{B}"));
  EXPECT_FALSE(plant.hasValue(HKEY_LOCAL_MACHINE, kHelpKey, "x.hlp"));
  EXPECT_TRUE(plant.hasValue(HKEY_LOCAL_MACHINE, kHelpKey, ""));
  EXPECT_FALSE(plant.hasValue(HKEY_LOCAL_MACHINE, kInstallerFoldersKey, "C:\\Gone\\"));
  EXPECT_FALSE(plant.exists(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "Gone"));
  EXPECT_FALSE(plant.exists(HKEY_LOCAL_MACHINE, uninstall32 + "Gone32"));
  EXPECT_TRUE(plant.exists(HKEY_LOCAL_MACHINE, uninstall32));
  EXPECT_FALSE(plant.exists(HKEY_LOCAL_MACHINE, "Software\\Classes\\WOW6432Node\\CLSID\\{W}"));
  EXPECT_TRUE(plant.exists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_FALSE(plant.exists(HKEY_CURRENT_USER, "Software\\Empty"));
  EXPECT_FALSE(plant.hasValue(HKEY_CURRENT_USER, kMuiCacheKey, "C:\\Old\\app.exe"));
  EXPECT_FALSE(plant.hasValue(HKEY_CURRENT_USER, kCurrentMuiCacheKey, "C:\\Old\\tool.exe.FriendlyAppName"));
  EXPECT_TRUE(
      plant.hasValue(HKEY_CURRENT_USER, kCurrentMuiCacheKey, "C:\\Windows\\here.dll.FriendlyAppName"));

  ASSERT_TRUE(test_support::importRegFile(machine.registry, backup));
  EXPECT_EQ(everything(), before);
}

TEST_F(ProblemDeletionTest, AValueRowDeletesAndBacksUpTheValueItWasBuiltFromOnly) {
  // Help values named with a backslash or a colon beside the valid ones their file names name.
  machine.files.addFile("C:\\Help\\a.hlp");
  machine.files.addFile("C:\\Help\\b.hlp");
  const std::pair<std::string, bool> values[] = {
      {"a.hlp", false}, {"old\\a.hlp", true}, {"b.hlp", false}, {"x\\y:b.hlp", true}};
  for (const auto& [name, listed] : values) plant.text(HKEY_LOCAL_MACHINE, kHelpKey, name, "C:\\Help");
  scan();
  EXPECT_EQ(deleteChecked().deletedCount, 2);
  const std::optional<RegFileContents> saved = readRegFile(backup);
  ASSERT_TRUE(saved);
  std::vector<std::string> savedNames;
  for (const RegFileSection& section : saved->sections)
    for (const RegFileValue& value : section.values) savedNames.push_back(value.name);
  for (const auto& [name, listed] : values) {
    EXPECT_EQ(plant.hasValue(HKEY_LOCAL_MACHINE, kHelpKey, name), !listed) << name;
    EXPECT_EQ(std::ranges::count(savedNames, name), listed ? 1 : 0) << name;
  }
}

TEST_F(ProblemDeletionTest, UncheckedRowsAreLeftAndNothingIsBackedUp) {
  plant.key(HKEY_CURRENT_USER, "Software\\Empty");
  scan();
  results.uncheckAll();
  EXPECT_EQ(deleteChecked().deletedCount, 0);
  EXPECT_EQ(backups, 0);
  EXPECT_EQ(results.count(), 1);
  EXPECT_TRUE(plant.exists(HKEY_CURRENT_USER, "Software\\Empty"));
}

TEST_F(ProblemDeletionTest, ARowThatNamesNothingOrACategorysOwnKeyNeverDeletes) {
  plant.number(HKEY_LOCAL_MACHINE, kSharedDllsKey, "", 1);
  plant.number(HKEY_LOCAL_MACHINE, kSharedDllsKey, " ", 1);
  plant.text(HKEY_LOCAL_MACHINE, kHelpKey, "", "C:\\Help");
  plant.text(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "App", "UninstallString", "x");
  plant.key(HKEY_CURRENT_USER, "Software\\Vendor");
  plant.text(HKEY_CLASSES_ROOT, "CLSID\\{A}", "", "x");
  const test_support::RegistryTree before = everything();
  const std::string shared = kSharedDllsKey.data();
  const std::vector<std::vector<std::string>> rows = {
      {"", "HKLM", shared},
      {" ", "HKLM", shared},
      {"C:\\Help\\", "HKLM", std::string(kHelpKey)},
      {"", "HKLM", std::string(kUninstallKey)},
      {"\\", "HKLM", std::string(kUninstallKey)},
      {"", "HKCU", "Software\\"},
      {"\\\\", "HKCU", "Software\\"},
      {" ", "HKCU", "Software\\"},
      {"x", "HKCR", "CLSID\\{A}"},
      {"x", "HKLM", "Software\\Classes\\CLSID\\"},
      {"x", "HKLM", "software\\classes\\clsid"},
      {"x", "HKCU", "Software\\Classes\\"},
      {"x", "HKLM", "Software\\Classes\\CLSID\\ "},
      {"x", "HKLM", "Software\\Classes\\CLSID\\{A}\\InprocServer32"},
      {"x", "HKLM", "Software\\Classes\\xyz"},
      {"Vendor", "HKXX", "Software\\"},
  };
  for (const auto& row : rows) {
    results.setRowData(results.addRow({"problem", row[0], row[1], row[2]}, true),
                       static_cast<std::uint32_t>(problems.size()));
    // The help row's value is the file name its entry ends with: none.
    problems.push_back(
        {ProblemCategory::missingSharedDll, row[0], row[1], row[2], row[2] == kHelpKey ? "" : row[0]});
  }

  EXPECT_EQ(deleteChecked().deletedCount, 0);
  EXPECT_EQ(backups, 0);
  EXPECT_EQ(results.count(), static_cast<int>(rows.size()));
  EXPECT_EQ(everything(), before);
}

TEST_F(ProblemDeletionTest, OnlyWhatTheBackupHoldsIsDeleted) {
  plant.key(HKEY_CURRENT_USER, "Software\\Empty");
  plant.key(HKEY_CURRENT_USER, "Software\\Other");
  scan();
  ASSERT_EQ(results.count(), 2);

  backupWritable = false;
  ProblemDeletion result = deleteChecked();
  EXPECT_TRUE(result.backupFailed);
  EXPECT_EQ(result.backupPath, "C:\\Velmora\\data\\backups\\registry-x.reg");
  EXPECT_EQ(result.deletedCount, 0);
  EXPECT_EQ(results.count(), 2);
  EXPECT_TRUE(plant.exists(HKEY_CURRENT_USER, "Software\\Empty"));

  // Gone since the scan: nothing to back up, and nothing deleted for that row.
  backupWritable = true;
  machine.registry.deleteKey(HKEY_CURRENT_USER, "Software\\Empty");
  result = deleteChecked();
  EXPECT_EQ(result.deletedCount, 1);
  EXPECT_EQ(entries(), std::vector<std::string>{"Empty"});
  EXPECT_FALSE(plant.exists(HKEY_CURRENT_USER, "Software\\Other"));
}

TEST_F(ProblemDeletionTest, BackupFilesAreNamedForTheTimeAndNeverReplaced) {
  machine.files.addFolder("C:\\Velmora");
  plant.text(HKEY_CURRENT_USER, "Software\\Saved", "v", "x");
  RegFileExport file(machine.registry);
  ASSERT_TRUE(file.addKeyTree(HKEY_CURRENT_USER, "Software\\Saved"));
  std::tm time{};
  time.tm_year = 2024 - 1900;
  time.tm_mon = 0;
  time.tm_mday = 31;
  time.tm_hour = 23;
  time.tm_min = 59;
  time.tm_sec = 5;
  std::vector<std::string> paths;
  for (int i = 0; i < 3; ++i) {
    const BackupFile written = writeRegistryBackup(machine.services, "C:\\Velmora\\", "registry", time, file);
    EXPECT_TRUE(written.written);
    paths.push_back(written.path);
  }
  EXPECT_EQ(paths, (std::vector<std::string>{"C:\\Velmora\\data\\backups\\registry-20240131-235905.reg",
                                             "C:\\Velmora\\data\\backups\\registry-20240131-235905-2.reg",
                                             "C:\\Velmora\\data\\backups\\registry-20240131-235905-3.reg"}));
  EXPECT_TRUE(machine.files.directoryExists("C:\\Velmora\\data\\backups"));
  EXPECT_EQ(machine.textFiles.bytes(paths[0]), file.fileBytes(backupComment("registry")));

  // A Startup-folder file's backup of the same second, of which only the .ini is
  // left (its removal takes the .ini last), keeps its base to itself.
  ASSERT_TRUE(machine.textFiles.writeBytes("C:\\Velmora\\data\\backups\\startup-20240131-235905.ini",
                                           "[File]\r\nPath=C:\\a.lnk\r\n"));
  EXPECT_EQ(writeRegistryBackup(machine.services, "C:\\Velmora\\", "startup", time, file).path,
            "C:\\Velmora\\data\\backups\\startup-20240131-235905-2.reg");
}

}  // namespace
}  // namespace velmora::registry
