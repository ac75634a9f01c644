// The Startup and Uninstall pages of the real program from end to end: Run values
// and uninstall keys planted in every place Windows reads them (the machine's
// 64-bit and 32-bit views, and the user's), listed by Search, one of each deleted
// after Yes and put back by opening the deletion's backup, and an uninstaller (a
// copy of the marker program) started where a planted program at a shorter path
// would have run in its place. And a picture of each page after its listing.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "marker_program_support.h"
#include "png_screenshot.h"
#include "registry_planting.h"
#include "running_program.h"
#include "shortcut_file_win32.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

const std::wstring kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";
const std::wstring kRun32 = L"Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run\\";
const std::wstring kApproved = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";

// The test's Run values and uninstall keys, removed again when it goes.
class PlantedPrograms {
 public:
  // uninstallCommand is the planted application's "UninstallString".
  explicit PlantedPrograms(const std::wstring& uninstallCommand) {
    setText(HKEY_LOCAL_MACHINE, kRun, L"VelmoraE2E64", L"\"C:\\velmora e2e\\run64.exe\" /min");
    setText(HKEY_LOCAL_MACHINE, kRun, L"VelmoraE2E32", L"C:\\velmora-e2e\\run32.exe", KEY_WOW64_32KEY);
    setText(HKEY_CURRENT_USER, kRun, L"VelmoraE2EUser", L"C:\\velmora-e2e\\user.exe -tray");
    const std::wstring app = kUninstall + L"VelmoraE2EApp";
    setText(HKEY_LOCAL_MACHINE, app, L"DisplayName", L"Velmora E2E App");
    setText(HKEY_LOCAL_MACHINE, app, L"UninstallString", uninstallCommand);
    setText(HKEY_LOCAL_MACHINE, app, L"Publisher", L"Velmora Tests");
    setText(HKEY_LOCAL_MACHINE, app, L"DisplayVersion", L"1.0");
    const std::wstring old = kUninstall + L"VelmoraE2EOld";
    setText(HKEY_LOCAL_MACHINE, old, L"DisplayName", L"Velmora E2E Old", KEY_WOW64_32KEY);
    setText(HKEY_LOCAL_MACHINE, old, L"UninstallString", L"C:\\velmora-e2e\\old.exe", KEY_WOW64_32KEY);
    const std::wstring mine = kUninstall + L"VelmoraE2EMine";
    setText(HKEY_CURRENT_USER, mine, L"DisplayName", L"Velmora E2E Mine");
    setText(HKEY_CURRENT_USER, mine, L"UninstallString", L"C:\\velmora-e2e\\mine.exe");
  }
  ~PlantedPrograms() {
    for (const Planted& item : all()) remove(item);
  }

  static Planted run64() { return {HKEY_LOCAL_MACHINE, kRun, L"VelmoraE2E64"}; }
  static Planted run32() { return {HKEY_LOCAL_MACHINE, kRun, L"VelmoraE2E32", KEY_WOW64_32KEY}; }
  static Planted runUser() { return {HKEY_CURRENT_USER, kRun, L"VelmoraE2EUser"}; }
  static Planted app() { return {HKEY_LOCAL_MACHINE, kUninstall + L"VelmoraE2EApp", std::nullopt}; }
  static Planted old() {
    return {HKEY_LOCAL_MACHINE, kUninstall + L"VelmoraE2EOld", std::nullopt, KEY_WOW64_32KEY};
  }
  static Planted mine() { return {HKEY_CURRENT_USER, kUninstall + L"VelmoraE2EMine", std::nullopt}; }
  static std::vector<Planted> all() { return {run64(), run32(), runUser(), app(), old(), mine()}; }
};

using Row = std::vector<std::wstring>;

// The row whose first cell is caption; nothing when the list has none.
std::optional<Row> rowOf(HWND list, const std::wstring& caption) {
  const int row = findListRow(list, caption);
  if (row < 0) return std::nullopt;
  Row cells;
  const int columns = Header_GetItemCount(ListView_GetHeader(list));
  for (int column = 0; column < columns; ++column) cells.push_back(listCellText(list, row, column));
  return cells;
}

// Presses Search on the visible page and waits until the listing is on screen:
// every caption listed and the status line counting every row.
bool listWithSearch(HWND window, HWND list, const std::vector<std::wstring>& captions) {
  HWND search = findVisibleChild(window, L"Button", L"Search");
  HWND status = findVisibleChild(window, STATUSCLASSNAMEW);
  if (!search || !status) return false;
  clickButton(search);
  return waitUntil(
      [&] {
        const int rows = listRowCount(list);
        return std::all_of(captions.begin(), captions.end(),
                           [list](const std::wstring& caption) { return findListRow(list, caption) >= 0; }) &&
               statusBarText(status) == L"Found: " + std::to_wstring(rows);
      },
      60s);
}

// Selects the row of caption and presses Delete, answering Yes to the question;
// whether the row went.
bool deleteRow(RunningProgram& program, HWND list, const std::wstring& caption) {
  const int row = findListRow(list, caption);
  HWND remove = findVisibleChild(program.window(), L"Button", L"Delete");
  if (row < 0 || !remove || !clickListRow(list, row)) return false;
  const int before = listRowCount(list);
  postClick(remove);
  program.answer(L"Confirmation", L"&Yes");
  return waitUntil([&] { return listRowCount(list) == before - 1 && findListRow(list, caption) < 0; }, 10s);
}

// The one backup whose name begins with kind.
std::optional<fs::path> backupOf(const ProgramCopy& copy, const std::wstring& kind,
                                 const std::wstring& extension = L".reg") {
  std::vector<fs::path> found;
  for (const auto& entry : fs::directory_iterator(copy.folder() / L"data" / L"backups"))
    if (entry.path().filename().wstring().starts_with(kind + L"-") && entry.path().extension() == extension)
      found.push_back(entry.path());
  if (found.size() != 1) return std::nullopt;
  return found[0];
}

TEST(ProgramPages, EverySourceIsListedDeletedWithABackupAndUninstalledSafely) {
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  // Windows would start the decoy for the unquoted command, cutting it at its
  // first blank.
  const std::wstring uninstaller = (copy.folder() / L"Velmora App" / L"uninst.exe").wstring();
  const std::wstring decoy = (copy.folder() / L"Velmora.exe").wstring();
  ASSERT_TRUE(test_support::placeMarkerProgram(uninstaller));
  ASSERT_TRUE(test_support::placeMarkerProgram(decoy));
  const PlantedPrograms planted(uninstaller + L" /S");

  RunningProgram program(copy);
  HWND window = program.window();
  int colours = 0;

  HWND startup = program.showPage(2, {L"Programs"});
  ASSERT_TRUE(listWithSearch(window, startup, {L"VelmoraE2E64", L"VelmoraE2E32", L"VelmoraE2EUser"}));
  EXPECT_EQ(rowOf(startup, L"VelmoraE2E64"),
            (Row{L"VelmoraE2E64", L"\"C:\\velmora e2e\\run64.exe\" /min", L"Enabled", L"HKLM", kRun}));
  EXPECT_EQ(rowOf(startup, L"VelmoraE2E32"),
            (Row{L"VelmoraE2E32", L"C:\\velmora-e2e\\run32.exe", L"Enabled", L"HKLM", kRun32}));
  EXPECT_EQ(rowOf(startup, L"VelmoraE2EUser"),
            (Row{L"VelmoraE2EUser", L"C:\\velmora-e2e\\user.exe ", L"Enabled", L"HKCU", kRun}));
  EXPECT_TRUE(saveWindowPng(window, L"startup_page_listed", colours));
  EXPECT_GT(colours, 8);
  ASSERT_TRUE(deleteRow(program, startup, L"VelmoraE2E32"));
  EXPECT_FALSE(exists(PlantedPrograms::run32()));
  EXPECT_TRUE(exists(PlantedPrograms::run64()) && exists(PlantedPrograms::runUser()));

  HWND uninstall = program.showPage(3, {L"Programs", L"Publisher"});
  EXPECT_EQ(listColumnCaption(uninstall, 2), L"Version");
  ASSERT_TRUE(
      listWithSearch(window, uninstall, {L"Velmora E2E App", L"Velmora E2E Old", L"Velmora E2E Mine"}));
  EXPECT_EQ(rowOf(uninstall, L"Velmora E2E App"), (Row{L"Velmora E2E App", L"Velmora Tests", L"1.0", L""}));
  EXPECT_EQ(rowOf(uninstall, L"Velmora E2E Old"), (Row{L"Velmora E2E Old", L"", L"", L""}));
  EXPECT_TRUE(saveWindowPng(window, L"uninstall_page_listed", colours));
  EXPECT_GT(colours, 8);

  ASSERT_TRUE(clickListRow(uninstall, findListRow(uninstall, L"Velmora E2E App")));
  HWND uninstallButton = findVisibleChild(window, L"Button", L"Uninstall");
  ASSERT_NE(uninstallButton, nullptr);
  clickButton(uninstallButton);
  const std::optional<std::string> ran = test_support::markerOf(uninstaller, 30s);
  ASSERT_TRUE(ran.has_value()) << "the uninstaller did not run";
  EXPECT_EQ(widen(*ran), L"\"" + uninstaller + L"\" /S");
  EXPECT_FALSE(test_support::markerOf(decoy, 2s).has_value()) << "the program at the shorter path ran";

  ASSERT_TRUE(deleteRow(program, uninstall, L"Velmora E2E Mine"));
  EXPECT_FALSE(exists(PlantedPrograms::mine()));
  EXPECT_TRUE(exists(PlantedPrograms::app()) && exists(PlantedPrograms::old()));

  // Mine installed again with another uninstaller: restoring the old backup asks
  // before it replaces that, and No leaves it.
  const std::wstring mine = kUninstall + L"VelmoraE2EMine";
  setText(HKEY_CURRENT_USER, mine, L"DisplayName", L"Velmora E2E Mine");
  setText(HKEY_CURRENT_USER, mine, L"UninstallString", L"C:\\velmora-e2e\\mine2.exe");
  HWND restore = program.open(MenuCommand::restore, L"Restore");
  HWND backups = findListView(restore, L"Date");
  int listed = -1;
  for (int row = 0; backups && row < listRowCount(backups); ++row)
    if (listCellText(backups, row, 3).starts_with(L"uninstall-")) listed = row;
  ASSERT_TRUE(listed >= 0 && clickListRow(backups, listed));
  postClick(findVisibleChild(restore, L"Button", L"Restore"));
  program.answer(L"Confirmation", L"&Yes");
  program.answer(L"Confirmation", L"&No");
  program.answer(kMainCaption, L"OK");
  wchar_t command[MAX_PATH] = {};
  DWORD size = sizeof command;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, mine.c_str(), L"UninstallString", RRF_RT_REG_SZ, nullptr, command,
                         &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(command, L"C:\\velmora-e2e\\mine2.exe")
      << "the reinstalled program's uninstaller was replaced";
  program.closeWith(restore, L"Close");

  program.close();
  for (const wchar_t* kind : {L"startup", L"uninstall"}) {
    const std::optional<fs::path> backup = backupOf(copy, kind);
    ASSERT_TRUE(backup.has_value()) << "no single backup of the " << fs::path(kind).string() << " page";
    EXPECT_TRUE(importWithRegedit(backup->wstring()));
  }
  EXPECT_TRUE(exists(PlantedPrograms::run32())) << "the backup did not put the 32-bit view's value back";
  EXPECT_TRUE(exists(PlantedPrograms::mine()));
}

// A file's bytes.
std::string bytesOf(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// What `reg query` prints for one value, as a user would check it.
std::string regQuery(const std::wstring& key, const std::wstring& value, const fs::path& scratch) {
  _wsystem((L"reg.exe query \"" + key + L"\" /v " + value + L" > \"" + scratch.wstring() + L"\"").c_str());
  return bytesOf(scratch);
}

TEST(ProgramPages, AUserEntryIsSwitchedOffAndOnAndAStartupShortcutDeletedIntoABackup) {
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  const Planted toggle{HKEY_CURRENT_USER, kRun, L"VelmoraE2EToggle"};
  setText(toggle.root, toggle.key, *toggle.value, L"C:\\velmora-e2e\\toggle.exe");
  wchar_t folder[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder),
            S_OK);
  const fs::path shortcut = fs::path(folder) / L"Velmora E2E.lnk";
  contract::makeShortcut(shortcut.string(), "C:\\velmora-e2e\\tray.exe");
  const std::string shortcutBytes = bytesOf(shortcut);
  RunningProgram program(copy);
  HWND window = program.window();
  HWND startup = program.showPage(2, {L"Programs"});
  ASSERT_TRUE(listWithSearch(window, startup, {L"VelmoraE2EToggle", L"Velmora E2E.lnk"}));
  EXPECT_EQ(rowOf(startup, L"Velmora E2E.lnk"),
            (Row{L"Velmora E2E.lnk", L"C:\\velmora-e2e\\tray.exe", L"Enabled", L"Startup folder", folder}));
  const int row = findListRow(startup, L"VelmoraE2EToggle");
  ASSERT_TRUE(clickListRow(startup, row));
  HWND disable = findVisibleChild(window, L"Button", L"Disable");
  ASSERT_NE(disable, nullptr);
  for (const char* state : {"Disabled", "Enabled"}) {
    clickButton(disable);
    ASSERT_TRUE(waitUntil([&] { return listCellText(startup, row, 2) == widen(state); }, 10s));
    const std::string shown =
        regQuery(L"HKCU\\" + kApproved + L"Run", *toggle.value, copy.folder() / L"reg.txt");
    // Disabled: 03 00 00 00 and a FILETIME that is not zero; enabled: 02 and zeros.
    const std::size_t data = shown.find("REG_BINARY    0") + 14;
    EXPECT_EQ(shown.substr(data, 8), state[0] == 'D' ? "03000000" : "02000000") << shown;
    EXPECT_EQ(shown.substr(data + 8, 16) == "0000000000000000", state[0] == 'E') << shown;
    EXPECT_EQ(windowText(disable), state[0] == 'D' ? L"Enable" : L"Disable");
  }
  ASSERT_TRUE(deleteRow(program, startup, L"Velmora E2E.lnk"));
  EXPECT_FALSE(fs::exists(shortcut));
  program.close();
  remove(toggle);
  remove({HKEY_CURRENT_USER, kApproved + L"Run", *toggle.value});
  const std::optional<fs::path> dat = backupOf(copy, L"startup", L".dat");
  ASSERT_TRUE(dat.has_value());
  EXPECT_EQ(bytesOf(*dat), shortcutBytes);
  EXPECT_NE(bytesOf(fs::path(*dat).replace_extension(L".ini")).find("Path=" + shortcut.string()),
            std::string::npos);
}

}  // namespace
}  // namespace velmora::e2e
