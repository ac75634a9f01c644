// Startup states, switched with the bytes Windows writes; a Startup-folder file backed up.
#include "app/form_restore.h"
#include "managers/startup_file_format.h"
#include "platform/data_folders.h"
#include "program_page_fixture.h"

namespace velmora::app {
namespace {

using namespace platform;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";
constexpr const char* kRun32 = "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run\\";
constexpr const char* kRunOnce = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\";
const std::string kApproved = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";
constexpr const char* kOn = "StringEnabled:";
constexpr const char* kOff = "StringDisabled:";
constexpr std::uint64_t kNow = 0x01DB5A1F2B3C4D5EULL;

// Twelve bytes as Windows stores them: the flag byte, three zeros, a FILETIME.
std::string approval(char flag, std::uint64_t time = 0) {
  std::string bytes(12, '\0');
  bytes[0] = flag;
  for (int i = 0; i < 8; ++i) bytes[4 + i] = static_cast<char>(time >> (8 * i));
  return bytes;
}

const std::string kFolder = "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Startup";
const std::string kShortcut = kFolder + "\\Tool.lnk";
const std::string kBytes("L\0\0\0\x01\x14\x02\xff shortcut", 17);

class StartupStateTest : public testing::ProgramPageTest<StartupPage> {
 protected:
  StartupStateTest() {
    list.onSelectItem = [this](int) { page.selectItem(); };
    page.fileTime = [] { return kNow; };
  }
  int rowOf(const std::string& name) const {
    for (int row = 0; row < list.count(); ++row)
      if (list.cell(row, StartupPage::programs) == name) return row;
    return -1;
  }
  // A shortcut in the user's Startup folder, switched off.
  void plantShortcut() {
    machine.shell.setFolderPath(csidl::startup, kFolder);
    machine.shell.addShortcut(kShortcut, "C:\\Tools\\tool.exe", "/min");
    machine.files.addFile(kShortcut);
    machine.textFiles.put(kShortcut, kBytes);  // The fakes keep listings and contents apart.
    machine.files.addFile(kFolder + "\\desktop.ini");
    plant.value(HKEY_CURRENT_USER, kApproved + "StartupFolder", "Tool.lnk", REG_BINARY,
                approval('\x03', kNow));
  }
  std::string statusOf(const std::string& name) const { return list.cell(rowOf(name), StartupPage::status); }
  std::pair<RegType, std::string> approvalOf(RegKey root, const std::string& key, const std::string& name) {
    return plant.tree(root, kApproved + key)[kApproved + key][name];
  }
};

TEST_F(StartupStateTest, EachEntryHasTheStateWindowsReadsFromItsOwnApprovalValue) {
  struct Case {
    RegKey root;
    const char *runKey, *approvalKey, *name;
    std::string data;  // Empty: no approval value.
    const char* state;
  };
  const std::vector<Case> cases = {
      {HKEY_CURRENT_USER, kRun, "Run", "Missing", "", kOn},
      {HKEY_CURRENT_USER, kRun, "Run", "On02", approval('\x02'), kOn},
      {HKEY_CURRENT_USER, kRun, "Run", "Off03", approval('\x03', kNow), kOff},
      {HKEY_CURRENT_USER, kRun, "Run", "On06", approval('\x06'), kOn},
      {HKEY_CURRENT_USER, kRun, "Run", "Off07", approval('\x07', kNow), kOff},
      {HKEY_CURRENT_USER, kRun, "Run", "Short", std::string("\x03\0\0\0", 4), kOn},
      {HKEY_LOCAL_MACHINE, kRun32, "Run32", "Wow", approval('\x03'), kOff},
      {HKEY_CURRENT_USER, kRunOnce, "Run", "Once", approval('\x03'), kOn}};
  for (const Case& c : cases) {
    plant.text(c.root, c.runKey, c.name, "C:\\x.exe");
    if (!c.data.empty()) plant.value(c.root, kApproved + c.approvalKey, c.name, REG_BINARY, c.data);
  }
  search();
  for (const Case& c : cases) EXPECT_EQ(statusOf(c.name), c.state) << c.name;
  list.userSelect(rowOf("Once"));
  EXPECT_FALSE(disableButton.enabled());
  list.userSelect(rowOf("Off03"));
  EXPECT_TRUE(disableButton.enabled() && disableButton.caption() == "StringEnable:");
}

TEST_F(StartupStateTest, DisableAndEnableWriteTheBytesWindowsWritesAndDeleteTakesThemAlong) {
  plant.text(HKEY_CURRENT_USER, kRun, "Mine", "C:\\mine.exe");
  plant.text(HKEY_LOCAL_MACHINE, kRun32, "Wow", "C:\\wow.exe");
  search();
  list.userSelect(rowOf("Mine"));
  for (const auto& [bytes, state] : {std::pair{approval('\x03', kNow), kOff}, {approval('\x02'), kOn}}) {
    page.disableClick();
    EXPECT_EQ(approvalOf(HKEY_CURRENT_USER, "Run", "Mine"), std::make_pair(REG_BINARY, bytes));
    EXPECT_EQ(statusOf("Mine"), state);
  }
  list.userSelect(rowOf("Wow"));
  page.disableClick();
  EXPECT_EQ(approvalOf(HKEY_LOCAL_MACHINE, "Run32", "Wow").second, approval('\x03', kNow));
  // Without the right to write the machine's key nothing changes, and the user is told.
  ASSERT_TRUE(machine.registry.refuseFullAccess(HKEY_LOCAL_MACHINE, kApproved + "Run32"));
  page.disableClick();
  EXPECT_TRUE(shownTexts() == std::vector<std::string>{"StringCantChangeItem:"} && statusOf("Wow") == kOff);
  // Deleting the entry takes its approval value along, both into one backup.
  const test_support::RegistryTree userBefore = plant.tree(HKEY_CURRENT_USER, "Software");
  deleteRow(rowOf("Mine"), widgets::MessageAnswer::Yes);
  EXPECT_FALSE(plant.hasValue(HKEY_CURRENT_USER, kApproved + "Run", "Mine"));
  const auto backup = machine.textFiles.bytes(std::string(kBackups) + "startup-20250102-000000.reg");
  ASSERT_TRUE(backup && test_support::importRegFile(machine.registry, *backup));
  EXPECT_EQ(plant.tree(HKEY_CURRENT_USER, "Software"), userBefore);
}

TEST_F(StartupStateTest, AStartupFolderFileIsListedDeletedIntoABackupAndPutBack) {
  plantShortcut();
  search();
  EXPECT_EQ(rows(), (std::vector<std::vector<std::string>>{
                        {"Tool.lnk", "C:\\Tools\\tool.exe /min", kOff, "StringStartupFolder:", kFolder}}));
  deleteRow(0, widgets::MessageAnswer::Yes);
  EXPECT_TRUE(list.count() == 0 && !machine.files.contains(kShortcut) &&
              !plant.hasValue(HKEY_CURRENT_USER, kApproved + "StartupFolder", "Tool.lnk"));
  const std::string base = std::string(kBackups) + "startup-20250102-000000";
  EXPECT_EQ(machine.textFiles.bytes(base + ".dat"), kBytes);
  machine.textFiles.remove(kShortcut);
  // The Restore window lists the backup once, its .reg part with it, and puts both back.
  for (const char* part : {".ini", ".reg"}) machine.files.addFile(base + part);
  TFormRestore restore{h.app, machine.services, messages};
  restore.backupFolders = [this] { return dataFolders(machine.system, "C:\\Velmora\\", "backups"); };
  restore.refresh();
  ASSERT_EQ(restore.listed().size(), 1u);
  EXPECT_EQ(restore.listed()[0].entries, 3) << "the file, the approval key and its value";
  h.dialogs.answer(widgets::MessageAnswer::Yes);
  restore.ButtonRestore.click();
  EXPECT_EQ(machine.textFiles.bytes(kShortcut), kBytes);
  EXPECT_EQ(approvalOf(HKEY_CURRENT_USER, "StartupFolder", "Tool.lnk").second, approval('\x03', kNow));
  // A file put there since is the user's: never overwritten, and the user is told.
  // Its approval value is the new file's now, and stays as the user set it: the
  // backup's would switch the new program off.
  machine.textFiles.put(kShortcut, "mine");
  machine.files.addFile(kShortcut);
  plant.value(HKEY_CURRENT_USER, kApproved + "StartupFolder", "Tool.lnk", REG_BINARY, approval('\x02'));
  const auto enabled = approvalOf(HKEY_CURRENT_USER, "StartupFolder", "Tool.lnk");
  h.dialogs.answer(widgets::MessageAnswer::Yes);
  restore.ButtonRestore.click();
  EXPECT_EQ(machine.textFiles.bytes(kShortcut), "mine");
  EXPECT_EQ(approvalOf(HKEY_CURRENT_USER, "StartupFolder", "Tool.lnk"), enabled);
  EXPECT_NE(shownTexts().back().find(kShortcut), std::string::npos);
  EXPECT_NE(shownTexts().back().find("Tool.lnk (" + restore.StringFileNotRestored + ")"), std::string::npos);
}

// A restore writes the file to the path it checked, and never through a link: not
// when the Startup folder or a folder above it is a junction, not when one becomes
// a link after the check, not when the .ini is rewritten to name a system file
// while the backup is restored (at whichever read that happens).
TEST_F(StartupStateTest, AStartupFolderFileGoesBackOnlyToThePathCheckedAndNeverThroughALink) {
  plantShortcut();
  search();
  deleteRow(0, widgets::MessageAnswer::Yes);
  const std::string ini = std::string(kBackups) + "startup-20250102-000000.ini";
  for (const char* part : {".ini", ".reg"}) machine.files.addFile(ini.substr(0, ini.size() - 4) + part);
  machine.textFiles.remove(kShortcut);
  TFormRestore restore{h.app, machine.services, messages};
  restore.backupFolders = [this] { return dataFolders(machine.system, "C:\\Velmora\\", "backups"); };
  const auto restoreShown = [&] {
    restore.refresh();
    h.dialogs.answer(widgets::MessageAnswer::Yes);
    restore.ButtonRestore.click();
    return shownTexts().back();
  };
  const std::string refused = "Tool.lnk (" + restore.StringFolderIsLink + ")";
  const std::string above = "C:\\Users\\me\\AppData\\Roaming\\Microsoft";
  machine.files.setAttributes(above, file_attribute::directory | file_attribute::reparsePoint);
  EXPECT_NE(restoreShown().find(refused), std::string::npos) << shownTexts().back();
  machine.files.setAttributes(above, file_attribute::directory);
  machine.textFiles.setRedirected(kShortcut);
  EXPECT_NE(restoreShown().find(refused), std::string::npos) << shownTexts().back();
  EXPECT_FALSE(machine.textFiles.bytes(kShortcut).has_value());
  EXPECT_FALSE(plant.hasValue(HKEY_CURRENT_USER, kApproved + "StartupFolder", "Tool.lnk"))
      << "its approval value goes with the file";

  const std::string system = "C:\\Windows\\System32\\version.dll";
  const std::string honestIni = *machine.textFiles.bytes(ini);
  for (int honest = 0; honest < 5; ++honest) {
    int reads = 0;
    machine.textFiles.put(ini, honestIni);
    machine.textFiles.beforeRead = [&](const std::string& path) {
      if (path == ini && ++reads > honest) machine.textFiles.put(ini, "[File]\r\nPath=" + system + "\r\n");
    };
    managers::startupFileFormat().restore(machine.services, ini, {});
    EXPECT_FALSE(machine.textFiles.bytes(system).has_value()) << honest;
  }
  machine.textFiles.beforeRead = nullptr;
}

// Where the program's folder refuses a part, every part goes to the user's own folder
// (what the first place took is deleted again, which these fakes' listings alone show).
TEST_F(StartupStateTest, AStartupFolderBackupFallsBackWhole) {
  plantShortcut();
  machine.textFiles.setUnwritable(std::string(kBackups) + "startup-20250102-000000.reg");
  search();
  deleteRow(0, widgets::MessageAnswer::Yes);
  EXPECT_FALSE(machine.files.contains(kShortcut));
  const std::string own =
      "C:\\Users\\tester\\AppData\\Local\\Velmora Disk Cleaner\\backups\\startup-20250102-000000";
  for (const char* part : {".dat", ".ini", ".reg"})
    EXPECT_TRUE(machine.textFiles.bytes(own + part).has_value()) << part;
}

}  // namespace
}  // namespace velmora::app
