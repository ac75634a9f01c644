// The registry problem checks against a machine of fakes: a fixed drive C: and
// the registry keys each case plants.
#include "registry/problem_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_services.h"
#include "registry_planter.h"

namespace velmora::registry {
namespace {

using namespace platform;

// Records what the scan does; the categories named at construction are checked.
class RecordingView final : public ProblemScanView {
 public:
  explicit RecordingView(std::initializer_list<ProblemCategory> checked) {
    for (ProblemCategory category : checked) checked_[static_cast<std::size_t>(category)] = true;
  }
  bool categoryChecked(ProblemCategory category) override {
    return checked_[static_cast<std::size_t>(category)];
  }
  bool keepGoing() override { return stopAfterRows < 0 || static_cast<int>(rows.size()) < stopAfterRows; }
  void clearResults() override { ++clears; }
  void listProblem(ProblemRow row) override {
    rows.push_back(row.entry + " | " + row.rootText + " | " + row.registryKey);
    categories.push_back(row.category);
  }
  void categoryDone(ProblemCategory category) override { done.push_back(category); }

  std::vector<std::string> rows;
  std::vector<ProblemCategory> categories;
  std::vector<ProblemCategory> done;
  int clears = 0;
  int stopAfterRows = -1;

 private:
  std::array<bool, kProblemCategoryCount> checked_{};
};

class ProblemScanTest : public ::testing::Test {
 protected:
  ProblemScanTest() {
    machine.drives.addDrive('C', {});
    machine.files.addFolder("C:\\Windows");
    machine.files.addFile("C:\\Windows\\here.dll");
    machine.files.addFile("C:\\Windows\\app.exe");
  }

  std::vector<std::string> scan(RecordingView& view) {
    ProblemScan(machine.registry, machine.files, machine.drives).run(view);
    return view.rows;
  }
  std::vector<std::string> scanOnly(ProblemCategory category) {
    RecordingView view{category};
    return scan(view);
  }

  fakes::FakeServices machine;
  test_support::RegistryPlanter plant{machine.registry};
};

TEST_F(ProblemScanTest, NothingCheckedOpensNoKeyAndFindsNothing) {
  plant.text(HKEY_LOCAL_MACHINE, kSharedDllsKey, "C:\\Gone\\a.dll", "");
  const std::size_t callsBefore = machine.registry.callCount();
  RecordingView view{};
  EXPECT_TRUE(scan(view).empty());
  EXPECT_EQ(machine.registry.callCount(), callsBefore);
  EXPECT_EQ(view.clears, 1) << "the list is emptied all the same";
  EXPECT_TRUE(view.done.empty());
}

TEST_F(ProblemScanTest, SharedLibrariesHelpFilesAndInstallerFoldersNameWhatIsGone) {
  machine.files.addFolder("C:\\Windows\\folder.dll");
  machine.files.addFile("C:\\Windows\\file-folder");
  machine.files.addFolder("C:\\Help");
  machine.files.addFile("C:\\Help\\here.hlp");
  for (const char* name : {"C:\\Windows\\here.dll", "C:\\Windows\\gone.dll", "C:\\Windows\\folder.dll"})
    plant.number(HKEY_LOCAL_MACHINE, kSharedDllsKey, name, 1);
  plant.text(HKEY_LOCAL_MACHINE, kHelpKey, "here.hlp", "C:\\Help");
  plant.text(HKEY_LOCAL_MACHINE, kHelpKey, "gone.hlp", "C:\\Help\\");
  plant.number(HKEY_LOCAL_MACHINE, kHelpKey, "number.hlp", 7);  // Unreadable as text: passed over.
  plant.text(HKEY_LOCAL_MACHINE, kHelpKey, "zlast.hlp", "C:\\Old");
  for (const char* name : {"C:\\Windows\\", "C:\\Windows\\file-folder\\", "C:\\Gone\\"})
    plant.number(HKEY_LOCAL_MACHINE, kInstallerFoldersKey, name, 1);

  RecordingView view{ProblemCategory::missingSharedDll, ProblemCategory::helpFile,
                     ProblemCategory::installerFolder};
  EXPECT_EQ(scan(view), (std::vector<std::string>{
                            "C:\\Windows\\folder.dll | HKLM | " + std::string(kSharedDllsKey),
                            "C:\\Windows\\gone.dll | HKLM | " + std::string(kSharedDllsKey),
                            "C:\\Help\\\\gone.hlp | HKLM | " + std::string(kHelpKey),
                            "C:\\Old\\zlast.hlp | HKLM | " + std::string(kHelpKey),
                            "C:\\Gone\\ | HKLM | " + std::string(kInstallerFoldersKey),
                            "C:\\Windows\\file-folder\\ | HKLM | " + std::string(kInstallerFoldersKey),
                        }));
  EXPECT_EQ(view.done,
            (std::vector<ProblemCategory>{ProblemCategory::missingSharedDll, ProblemCategory::helpFile,
                                          ProblemCategory::installerFolder}));
}

TEST_F(ProblemScanTest, AnExtensionIsUnusedOnlyWhenItsKeyHoldsNothing) {
  plant.key(HKEY_CLASSES_ROOT, ".xyz");                       // No default value.
  plant.text(HKEY_CLASSES_ROOT, ".Empty", "", "");            // An empty default only.
  plant.text(HKEY_CLASSES_ROOT, ".txt", "", "txtfile");       // In use.
  plant.key(HKEY_CLASSES_ROOT, ".progids\\OpenWithProgids");  // In use without a default.
  plant.text(HKEY_CLASSES_ROOT, ".typed", "Content Type", "text/plain");
  plant.text(HKEY_CLASSES_ROOT, ".both", "", "");
  plant.text(HKEY_CLASSES_ROOT, ".both", "PerceivedType", "text");
  plant.number(HKEY_CLASSES_ROOT, ".number", "", 1);  // Unreadable as text: passed over.
  plant.key(HKEY_CLASSES_ROOT, "xyz");                // No dot: never examined.
  // One user's class lies in that user's hive, which the merged view only shows.
  plant.key(HKEY_CURRENT_USER, "Software\\Classes\\.mine");
  plant.text(HKEY_CURRENT_USER, "Software\\Classes\\.txt", "", "");
  EXPECT_EQ(scanOnly(ProblemCategory::unusedExtension),
            (std::vector<std::string>{
                ".mine | HKCU | Software\\Classes\\.mine", ".txt | HKCU | Software\\Classes\\.txt",
                ".Empty | HKLM | Software\\Classes\\.Empty", ".xyz | HKLM | Software\\Classes\\.xyz"}));
}

TEST_F(ProblemScanTest, AClassIsReportedPerServerWhosePlainPathIsGone) {
  const std::string a = "CLSID\\{A}";
  plant.text(HKEY_CLASSES_ROOT, a + "\\InprocServer32", "", "C:\\Gone\\a.dll");
  plant.text(HKEY_CLASSES_ROOT, a + "\\LocalServer32", "", "\"C:\\Gone\\a.exe\" /automation");
  plant.text(HKEY_CLASSES_ROOT, "CLSID\\{B}\\InprocServer32", "", "C:\\Gone\\b.dll", REG_EXPAND_SZ);
  plant.text(HKEY_CLASSES_ROOT, "CLSID\\{C}\\inprocserver32", "", "C:\\Gone\\c.dll");
  plant.text(HKEY_CLASSES_ROOT, "CLSID\\{D}\\InprocServer32", "", "ole32.dll");
  plant.text(HKEY_CLASSES_ROOT, "CLSID\\{E}\\InprocServer32", "", "C:\\Windows\\here.dll");
  // A server that is not plain text is judged by nothing, not by its sibling's path.
  plant.text(HKEY_CLASSES_ROOT, "CLSID\\{F}\\InprocServer32", "", "C:\\Gone\\f.dll");
  plant.text(HKEY_CLASSES_ROOT, "CLSID\\{F}\\LocalServer32", "", "%SystemRoot%\\f.exe", REG_EXPAND_SZ);
  // Windows reads the blank that the cut before "/automation" leaves as nothing.
  plant.text(HKEY_CLASSES_ROOT, "CLSID\\{G}\\LocalServer32", "", "\"C:\\Windows\\app.exe\" /automation");
  plant.text(HKEY_CURRENT_USER, "Software\\Classes\\CLSID\\{U}\\InprocServer32", "", "C:\\Gone\\u.dll");
  EXPECT_EQ(
      scanOnly(ProblemCategory::classServer),
      (std::vector<std::string>{"InprocServer32 - C:\\Gone\\u.dll | HKCU | Software\\Classes\\CLSID\\{U}",
                                "InprocServer32 - C:\\Gone\\a.dll | HKLM | Software\\Classes\\CLSID\\{A}",
                                "LocalServer32 - C:\\Gone\\a.exe  | HKLM | Software\\Classes\\CLSID\\{A}",
                                "InprocServer32 - C:\\Gone\\f.dll | HKLM | Software\\Classes\\CLSID\\{F}"}));
}

TEST_F(ProblemScanTest, AServerUnderAFolderWithABlankAndHyphenIsJudgedByItsStoredPathFirst) {
  const std::string acme = "C:\\Program Files\\Acme - Tools\\";
  machine.files.addFile(acme + "shell.dll");
  const std::pair<std::string, std::string> servers[] = {
      // As stored, and the path its row shows.
      {acme + "shell.dll", ""},
      {" \"" + acme + "shell.dll\" ", ""},
      {"\"" + acme + "shell.dll\" -Embedding", ""},
      {acme + "gone.dll", "C:\\Program Files\\Acme -"},
      {"C:\\Gone\\app.exe -Embedding", "C:\\Gone\\app.exe "}};
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < std::size(servers); ++i) {
    const std::string key = "CLSID\\{" + std::to_string(i) + "}";
    plant.text(HKEY_CLASSES_ROOT, key + "\\InprocServer32", "", servers[i].first);
    if (!servers[i].second.empty())
      rows.push_back("InprocServer32 - " + servers[i].second + " | HKLM | Software\\Classes\\" + key);
  }
  EXPECT_EQ(scanOnly(ProblemCategory::classServer), rows);
}

TEST_F(ProblemScanTest, MissingMeansTheSystemSaidNotFound) {
  fakes::FakeDrive usb;
  usb.type = DriveType::removable;
  machine.drives.addDrive('E', usb);
  machine.files.addFile("E:\\Gone\\x.dll");  // Never asked: the drive is removable.
  fakes::FakeDrive notReady;
  notReady.ready = false;
  machine.drives.addDrive('F', notReady);
  machine.files.addFolder("C:\\Program Files\\WindowsApps\\App");
  machine.files.setListable("C:\\Program Files\\WindowsApps\\App", false);
  const std::string refused = "C:\\Program Files\\WindowsApps\\App\\app.dll";
  const std::string paths[] = {refused,
                               "G:\\Unplugged\\a.dll",
                               "E:\\Gone\\y.dll",
                               "F:\\NoMedium\\a.dll",
                               "\\\\server\\share\\a.dll",
                               "relative\\a.dll",
                               "C:\\Gone\\real.dll"};
  for (std::size_t i = 0; i < std::size(paths); ++i) {
    plant.number(HKEY_LOCAL_MACHINE, kSharedDllsKey, paths[i], 1);
    plant.text(HKEY_CLASSES_ROOT, "CLSID\\{" + std::to_string(i) + "}\\InprocServer32", "", paths[i]);
    plant.text(HKEY_CURRENT_USER, kMuiCacheKey, paths[i], "x");
  }
  RecordingView view{ProblemCategory::missingSharedDll, ProblemCategory::classServer,
                     ProblemCategory::muiCache};
  EXPECT_EQ(scan(view), (std::vector<std::string>{
                            "C:\\Gone\\real.dll | HKLM | " + std::string(kSharedDllsKey),
                            "InprocServer32 - C:\\Gone\\real.dll | HKLM | Software\\Classes\\CLSID\\{6}",
                            "C:\\Gone\\real.dll | HKCU | " + std::string(kMuiCacheKey),
                        }));
}

TEST_F(ProblemScanTest, OnlyAPlainMissingUninstallerIsAProblem) {
  const std::string key(kUninstallKey);
  plant.text(HKEY_LOCAL_MACHINE, key + "Gone", "UninstallString", "\"C:\\Prog\\unins000.exe\"");
  plant.text(HKEY_LOCAL_MACHINE, key + "Silent", "UninstallString", "C:\\Prog\\unins000.exe /SILENT");
  plant.text(HKEY_LOCAL_MACHINE, key + "Dash", "UninstallString", "C:\\Prog\\unins000.exe -remove");
  plant.text(HKEY_LOCAL_MACHINE, key + "Msi", "UninstallString", "MsiExec.exe /X{1234}");
  plant.text(HKEY_LOCAL_MACHINE, key + "Bare", "UninstallString", "uninstall.exe");
  plant.text(HKEY_LOCAL_MACHINE, key + "Network", "UninstallString", "\\\\server\\share\\unins.exe");
  plant.text(HKEY_LOCAL_MACHINE, key + "Present", "UninstallString", "C:\\Windows\\app.exe");
  plant.number(HKEY_LOCAL_MACHINE, key + "Number", "UninstallString", 1);  // Passed over.
  plant.text(HKEY_LOCAL_MACHINE, key + "NoCommand", "DisplayName", "No command");
  plant.text(HKEY_LOCAL_MACHINE, key + "ZGone", "UninstallString", "C:\\Prog2\\un.exe");
  EXPECT_EQ(scanOnly(ProblemCategory::uninstallEntry),
            (std::vector<std::string>{"Gone | HKLM | " + std::string(kUninstallKey),
                                      "ZGone | HKLM | " + std::string(kUninstallKey)}));
}

TEST_F(ProblemScanTest, ASoftwareKeyIsEmptyWithoutValuesAndSubkeys) {
  plant.key(HKEY_CURRENT_USER, "Software\\AAA Empty");  // The first listed.
  plant.text(HKEY_CURRENT_USER, "Software\\Defaulted", "", "");
  plant.key(HKEY_CURRENT_USER, "Software\\Parent\\Child");
  plant.number(HKEY_CURRENT_USER, "Software\\Valued", "n", 1);
  plant.key(HKEY_CURRENT_USER, "Software\\Zero");
  EXPECT_EQ(scanOnly(ProblemCategory::emptySoftwareKey),
            (std::vector<std::string>{"AAA Empty | HKCU | Software\\", "Zero | HKCU | Software\\"}));
}

TEST_F(ProblemScanTest, TheCacheIsExaminedInTheOldKeyAndInTheCurrentOne) {
  for (const char* name : {"@shell32.dll,-8496", "notepad", "C:\\Old\\app.exe", "C:\\Windows\\app.exe"})
    plant.text(HKEY_CURRENT_USER, kMuiCacheKey, name, "x");
  for (const char* name :
       {"C:\\Windows\\app.exe.FriendlyAppName", "C:\\Windows\\app.exe.ApplicationCompany",
        "C:\\Old\\tool.exe.FriendlyAppName", "C:\\Old\\tool.exe.ApplicationCompany", "LangID"})
    plant.text(HKEY_CURRENT_USER, kCurrentMuiCacheKey, name, "x");
  EXPECT_EQ(scanOnly(ProblemCategory::muiCache),
            (std::vector<std::string>{
                "C:\\Old\\app.exe | HKCU | " + std::string(kMuiCacheKey),
                "C:\\Old\\tool.exe.ApplicationCompany | HKCU | " + std::string(kCurrentMuiCacheKey),
                "C:\\Old\\tool.exe.FriendlyAppName | HKCU | " + std::string(kCurrentMuiCacheKey)}));
}

TEST_F(ProblemScanTest, AStopEndsTheScanBetweenTwoItems) {
  for (int i = 0; i < 10; ++i) plant.key(HKEY_CURRENT_USER, "Software\\Empty" + std::to_string(i));
  plant.key(HKEY_CURRENT_USER, kMuiCacheKey);
  RecordingView view{ProblemCategory::emptySoftwareKey, ProblemCategory::muiCache};
  view.stopAfterRows = 3;
  scan(view);
  EXPECT_EQ(view.rows.size(), 3u) << "rows before the stop stay, none come after";
  EXPECT_TRUE(view.done.empty()) << "a category cut short is not done";
}

}  // namespace
}  // namespace velmora::registry
