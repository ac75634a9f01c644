// The Files page of the real program from end to end, worked through its own
// windows as a user works it: choose the categories and a drive, search, read
// the list and the status line, delete. And pictures of the page and of the
// Settings window for a person to look at.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <knownfolders.h>
#include <sddl.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "png_screenshot.h"
#include "running_program.h"
#include "scratch_drive.h"
#include "wine_unix.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr int kCategoryCount = 8;

void writeFile(const fs::path& path, std::size_t bytes) {
  std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
}

// A result row: the file's path and its size column.
using Row = std::pair<std::wstring, std::wstring>;

std::vector<Row> resultRows(HWND list) {
  std::vector<Row> rows;
  for (int row = 0; row < listRowCount(list); ++row)
    rows.emplace_back(listCellText(list, row, 0), listCellText(list, row, 1));
  return rows;
}

// The typical request: junk files on a drive of their own, found with the
// junk-file and recycle-bin categories and only that drive checked, then deleted.
// A link on the drive leads to junk-named files elsewhere, and the drive's
// Recycler is a link to them too (any user can make one): the scan must reach
// neither. Between the scan and Delete a listed folder is replaced by a link to
// them (as any program could do in a temporary folder): Delete must not follow it.
TEST(FilesPage, FindsTheJunkOfACheckedDriveAndDeletesOnlyThat) {
  ScratchDrive drive;
  const fs::path root = drive.root();
  struct Junk {
    const wchar_t* name;
    std::size_t bytes;
  };
  // 2, 1, 0 and 5 Kb: the deletion frees 8 Kb, the sum of the truncated sizes,
  // while the scan's total is 10520 bytes, 10 Kb.
  const Junk junk[] = {{L"report.~doc", 3000}, {L"data.ba~", 1500}, {L"x.e$e", 900}, {L"sub\\a.tmp", 5120}};
  fs::create_directory(root / L"sub");
  for (const Junk& file : junk) writeFile(root / file.name, file.bytes);
  writeFile(root / L"keep.txt", 2000);
  const fs::path canaries = fs::path(drive.outside()) / L"canaries";
  fs::create_directory(canaries);
  writeFile(canaries / L"canary.~doc", 1024);
  writeFile(canaries / L"canary.tmp", 1024);
  writeFile(canaries / L"a.tmp", 1024);
  drive.linkFolder((root / L"linked").wstring(), canaries.wstring());
  drive.linkFolder((root / L"Recycler").wstring(), canaries.wstring());
  ASSERT_TRUE(fs::exists(root / L"linked" / L"canary.~doc"))
      << "the link on the drive does not lead to the canaries";
  ASSERT_TRUE(fs::exists(root / L"Recycler" / L"canary.tmp"));

  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  RunningProgram program(copy);
  const FilesPageWindows page = program.filesPage();

  // The Settings window is never opened: the catalogue (with *.tmp) and the
  // exclusions are loaded at start-up, so a.tmp is junk all the same.

  // Only "Junk files" and "Recycle bin"...
  constexpr int kRecycleBin = 6;
  ASSERT_TRUE(page.checkOnlyTypes({0, kRecycleBin})) << "no check box on a type";
  ASSERT_EQ(listRowCount(page.types), kCategoryCount);
  for (int row = 0; row < kCategoryCount; ++row)
    EXPECT_EQ(listRowChecked(page.types, row), row == 0 || row == kRecycleBin) << "type row " << row;
  // ...on the new drive only.
  ASSERT_EQ(listCellText(page.drives, 0, 0), L"C:\\");
  ASSERT_TRUE(listRowChecked(page.drives, 0)) << "the first drive starts checked";
  ASSERT_TRUE(page.checkOnlyDrive(drive.root()))
      << "the drive list does not show " << drive.root() << "; it shows "
      << ::testing::PrintToString(resultRows(page.drives));
  const int driveRow = findListRow(page.drives, drive.root());
  for (int row = 0; row < listRowCount(page.drives); ++row)
    EXPECT_EQ(listRowChecked(page.drives, row), row == driveRow) << "drive row " << row;

  ASSERT_TRUE(page.finish(page.search))
      << "the button did not read \"Search\" again within 60 s of the click";

  std::vector<Row> expected;
  for (const Junk& file : junk)
    expected.emplace_back((root / file.name).wstring(), std::to_wstring(file.bytes / 1024));
  std::sort(expected.begin(), expected.end());
  // The list control learns its length from a message of its own, which may
  // come just after the scan's end.
  waitUntil([&] { return listRowCount(page.results) >= static_cast<int>(expected.size()); }, 10s);
  std::vector<Row> rows = resultRows(page.results);
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, expected);
  for (int row = 0; row < listRowCount(page.results); ++row)
    EXPECT_TRUE(listRowChecked(page.results, row)) << "result row " << row;
  // The scratch drive is a folder, not an NTFS volume: it is walked.
  EXPECT_EQ(statusBarText(page.status), L"Found: 4 Total size: 10 Kb. " + drive.root() + L" walked");

  fs::rename(root / L"sub", root / L"moved");
  drive.linkFolder((root / L"sub").wstring(), canaries.wstring());
  ASSERT_TRUE(page.finish(page.remove)) << "Delete did not end";
  ASSERT_EQ(resultRows(page.results), (std::vector<Row>{{(root / L"sub\\a.tmp").wstring(), L"5"}}))
      << "rows of deleted files stay listed, or the redirected one went";
  EXPECT_TRUE(listRowChecked(page.results, 0));
  // The program sets "Files deleted: 3", a line feed, "Space freed: 3 Kb."; the
  // status bar turns every control character but the tab into a space as the
  // text is set (Wine's comctl32 does), so the report is one line.
  EXPECT_EQ(statusBarText(page.status), L"Files deleted: 3 Space freed: 3 Kb.");
  int colours = 0;
  EXPECT_TRUE(saveWindowPng(program.window(), L"files_page_deleted", colours));
  for (const Junk& file : junk)
    if (file.name != std::wstring(L"sub\\a.tmp")) {
      EXPECT_FALSE(fs::exists(root / file.name)) << root / file.name;
    }
  EXPECT_TRUE(fs::exists(root / L"moved" / L"a.tmp"));
  EXPECT_TRUE(fs::exists(canaries / L"a.tmp"));
  EXPECT_TRUE(fs::exists(root / L"keep.txt"));
  EXPECT_TRUE(fs::exists(canaries / L"canary.~doc"));
  EXPECT_TRUE(fs::exists(canaries / L"canary.tmp"));
  EXPECT_TRUE(fs::exists(root / L"linked" / L"canary.tmp")) << "the link itself is gone";
  EXPECT_TRUE(fs::exists(root / L"Recycler" / L"canary.tmp")) << "the Recycler link is gone";

  program.close();
}

// Pictures of the Files page while it scans and after, and of the Settings
// window's three pages: clipped captions and overlapping controls show only in a
// picture.
TEST(FilesPageScreens, ScanAndSettingsPagesAreDrawn) {
  // A drive with enough files for the scan to be caught running: 20 folders of
  // 30 files, every fifth one junk. (Not many more: files that Wine made carry
  // an extended attribute, and on some file systems each takes milliseconds to
  // remove.)
  ScratchDrive drive;
  const fs::path root = drive.root();
  for (int folder = 0; folder < 20; ++folder) {
    const fs::path sub = root / (L"folder" + std::to_wstring(folder));
    fs::create_directory(sub);
    for (int file = 0; file < 30; ++file)
      writeFile(sub / (L"file" + std::to_wstring(file) + (file % 5 == 0 ? L".~tmp" : L".txt")),
                static_cast<std::size_t>(300 * file));
  }

  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  RunningProgram program(copy);
  const FilesPageWindows page = program.filesPage();

  // Every category, on the new drive only.
  ASSERT_TRUE(page.checkOnlyDrive(drive.root())) << "the drive list does not show " << drive.root();
  clickButton(page.search);
  int colours = 0;
  EXPECT_TRUE(saveWindowPng(program.window(), L"files_page_scanning", colours));
  EXPECT_GT(colours, 8) << "the capture shows a drawn window, not a blank area";
  if (windowText(page.search) != L"Stop")
    std::cout << "note: the scan had ended when the scanning picture was taken\n";

  ASSERT_TRUE(waitUntil([&page] { return page.scanEnded(); }, 60s))
      << "the button did not read \"Search\" again within 60 s of the click";
  // The list shows every row the status line counts: the drive's 120 junk files,
  // and whatever the profile categories find in the test prefix.
  EXPECT_TRUE(waitUntil(
      [&page] {
        const int rows = listRowCount(page.results);
        return rows >= 120 &&
               statusBarText(page.status).starts_with(L"Found: " + std::to_wstring(rows) + L" ");
      },
      10s))
      << listRowCount(page.results) << " rows, status line \"" << statusBarText(page.status) << "\"";
  EXPECT_TRUE(saveWindowPng(program.window(), L"files_page_scanned", colours));
  EXPECT_GT(colours, 8);

  HWND settings = program.open(MenuCommand::settings, L"Settings");
  HWND tabs = findVisibleChild(settings, WC_TABCONTROLW);
  ASSERT_NE(tabs, nullptr) << "the Settings window has no page control";
  const wchar_t* pictures[] = {L"settings_general", L"settings_junk_files", L"settings_junk_exclusions"};
  for (int tab = 0; tab < 3; ++tab) {
    if (tab > 0) clickTab(tabs, tab);
    EXPECT_EQ(sendTo(tabs, TCM_GETCURSEL), tab);
    EXPECT_TRUE(saveWindowPng(settings, pictures[tab], colours));
    EXPECT_GT(colours, 8) << pictures[tab];
    if (tab == 1) {
      // One row per line of the catalogue.
      std::ifstream catalogue(copy.folder() / L"data" / L"junk.dat", std::ios::binary);
      const std::string text((std::istreambuf_iterator<char>(catalogue)), std::istreambuf_iterator<char>());
      HWND junkList = findListView(settings, L"Extension");
      ASSERT_NE(junkList, nullptr) << "no catalogue list on the Junk Files page";
      EXPECT_EQ(listRowCount(junkList), std::count(text.begin(), text.end(), '\n'));
    }
  }

  program.closeWith(settings, L"Ok");
  program.close();
}

// A running browser holds its lock file open without sharing (here this process
// does, and the program scans in its own, as on Windows): its caches are left and
// named, a closed browser's are listed, and the type list shows what was found.
TEST(FilesPage, AnOpenBrowserIsLeftAloneAndNamed) {
  wchar_t* localAppData = nullptr;
  ASSERT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &localAppData)));
  const fs::path local(localAppData);
  CoTaskMemFree(localAppData);
  const fs::path chrome = local / L"Google\\Chrome\\User Data";
  const fs::path vivaldi = local / L"Vivaldi\\User Data";
  for (const fs::path& userData : {chrome, vivaldi}) {
    fs::create_directories(userData / L"Default\\Cache");
    writeFile(userData / L"Default\\Cache\\data_1", 5000);
  }
  // As the browser opens it: for writing, shared for reading only, gone when closed.
  HANDLE lock = CreateFileW((chrome / L"lockfile").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);

  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  RunningProgram program(copy);
  const FilesPageWindows page = program.filesPage();
  constexpr int kTemporaryInternet = 5;
  ASSERT_TRUE(page.checkOnlyTypes({kTemporaryInternet}));
  clickButton(page.search);
  ASSERT_TRUE(waitUntil([&page] { return page.scanEnded() && listRowCount(page.results) > 0; }, 60s));
  const std::vector<Row> rows = resultRows(page.results);
  EXPECT_TRUE(
      std::count(rows.begin(), rows.end(), Row{(vivaldi / L"Default\\Cache\\data_1").wstring(), L"4"}));
  for (const Row& row : rows) EXPECT_FALSE(row.first.starts_with(chrome.wstring())) << row.first;
  EXPECT_TRUE(statusBarText(page.status).ends_with(L" Left alone because they are open: Google Chrome"))
      << statusBarText(page.status);
  EXPECT_NE(listCellText(page.types, kTemporaryInternet, 1), L"") << "no amount found beside the category";
  int colours = 0;
  saveWindowPng(program.window(), L"files_page_found", colours);
  // Vivaldi opens between Search and Delete: its cache stays, listed, and is named.
  HANDLE opened = CreateFileW((vivaldi / L"lockfile").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  ASSERT_NE(opened, INVALID_HANDLE_VALUE);
  clickButton(page.remove);
  ASSERT_TRUE(waitUntil([&page] { return page.scanEnded(); }, 60s)) << "Delete did not end";
  EXPECT_EQ(resultRows(page.results),
            (std::vector<Row>{{(vivaldi / L"Default\\Cache\\data_1").wstring(), L"4"}}));
  EXPECT_TRUE(fs::exists(vivaldi / L"Default\\Cache\\data_1"));
  EXPECT_TRUE(
      statusBarText(page.status).ends_with(L" Left alone because they were opened after the search: Vivaldi"))
      << statusBarText(page.status);
  program.close();
  CloseHandle(opened);
  CloseHandle(lock);
  for (const wchar_t* made : {L"Google", L"Vivaldi"}) fs::remove_all(local / made);
}

// With the Recycle Bin option checked in the Settings window, Delete sends the
// junk to Wine's Recycle Bin, the Linux user's trash (here the test's own, named
// by XDG_DATA_HOME, which the program inherits): more files than one batch holds,
// each of them. The option is kept in the settings file.
TEST(FilesPage, TheRecycleBinOptionMovesTheFilesToWinesTrash) {
  ScratchDrive drive;
  constexpr int kFiles = 300;
  for (int i = 0; i < kFiles; ++i)
    writeFile(fs::path(drive.root()) / (L"old" + std::to_wstring(i) + L".~doc"), 3000);
  const fs::path trash = fs::path(drive.outside()) / L"xdg" / L"Trash";
  for (const wchar_t* sub : {L"files", L"info"}) fs::create_directories(trash / sub);
  const std::string dataHome = velmora::testing::unixPathOf((fs::path(drive.outside()) / L"xdg").wstring());
  ASSERT_TRUE(SetEnvironmentVariableW(L"XDG_DATA_HOME", widen(dataHome).c_str()));
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  RunningProgram program(copy);
  SetEnvironmentVariableW(L"XDG_DATA_HOME", nullptr);
  const FilesPageWindows page = program.filesPage();

  HWND settings = program.open(MenuCommand::settings, L"Settings");
  HWND recycle = findVisibleChild(settings, L"Button", L"&Move deleted files to the Recycle Bin");
  ASSERT_NE(recycle, nullptr) << "no Recycle Bin option on the General page";
  clickButton(recycle);
  int colours = 0;
  EXPECT_TRUE(saveWindowPng(settings, L"settings_general_recycle", colours));
  program.closeWith(settings, L"Ok");

  ASSERT_TRUE(page.checkOnlyTypes({0}));
  ASSERT_TRUE(page.checkOnlyDrive(drive.root()));
  clickButton(page.search);
  ASSERT_TRUE(waitUntil([&page] { return page.scanEnded() && listRowCount(page.results) == kFiles; }, 60s));
  ASSERT_TRUE(page.finish(page.remove)) << "Delete did not end";
  EXPECT_EQ(listRowCount(page.results), 0);
  EXPECT_EQ(statusBarText(page.status), L"Files moved to the Recycle Bin: 300 Total size: 600 Kb.");
  for (int i = 0; i < kFiles; ++i) {
    const std::wstring name = L"old" + std::to_wstring(i) + L".~doc";
    EXPECT_FALSE(fs::exists(fs::path(drive.root()) / name)) << name;
    EXPECT_TRUE(fs::exists(trash / L"files" / name)) << name << " is not in Wine's trash";
  }

  program.close();
  EXPECT_NE(copy.readSettings().find("recycleDeleted=1"), std::string::npos) << copy.readSettings();
}

// Picks an item of a drop-down list as a user does, which tells its parent.
void chooseItem(HWND combo, int index) {
  sendTo(combo, CB_SETCURSEL, static_cast<WPARAM>(index));
  sendTo(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(combo));
}

// The definition Wine's Task Scheduler keeps for a task (as UTF-8 XML under
// system32\tasks); empty when there is none.
std::string storedTask(const std::wstring& path) {
  std::ifstream file(fs::path(L"C:\\windows\\system32\\tasks") / path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The user sets a weekly clean in the Settings window, sees it there again, and
// removes it with "Never"; Task Scheduler holds the task in between.
TEST(FilesPage, TheSettingsWindowSetsAndRemovesAWeeklyClean) {
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  RunningProgram program(copy);
  program.filesPage();

  wchar_t user[257];
  DWORD size = 257;
  ASSERT_TRUE(GetUserNameW(user, &size));
  // The task carries the account's security identifier beside its user name.
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  char account[256];
  DWORD accountSize = sizeof account;
  ASSERT_TRUE(GetTokenInformation(token, TokenUser, account, accountSize, &accountSize));
  CloseHandle(token);
  LPWSTR sid = nullptr;
  ASSERT_TRUE(ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(account)->User.Sid, &sid));
  const std::wstring task = std::wstring(L"Velmora Disk Cleaner\\Clean ") + user + L" (" + sid + L")";
  LocalFree(sid);
  HWND settings = program.open(MenuCommand::settings, L"Settings");
  HWND schedule = findVisibleChild(settings, L"ComboBox");
  ASSERT_NE(schedule, nullptr);
  // The schedule shows once Task Scheduler has answered (under both the task's
  // names, when it holds neither); a choice made before would be undone.
  const auto answered = [&] { return waitUntil([&] { return IsWindowEnabled(schedule) != FALSE; }, 30s); };
  ASSERT_TRUE(answered()) << "Task Scheduler never answered";
  EXPECT_EQ(sendTo(schedule, CB_GETCURSEL), 0) << "a new prefix holds no task";
  chooseItem(schedule, 2);
  int colours = 0;
  EXPECT_TRUE(saveWindowPng(settings, L"settings_general_schedule", colours));
  program.closeWith(settings, L"Ok");

  // Wine (8) writes every definition again without its triggers, action and logon
  // type: the stored task keeps only the settings. Windows keeps the whole task.
  const std::string stored = storedTask(task);
  for (const std::string& part : std::vector<std::string>{
           "<StartWhenAvailable>true</StartWhenAvailable>", "<ExecutionTimeLimit>PT2H</ExecutionTimeLimit>",
           "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>",
           "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>",
           "<MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>"})
    EXPECT_NE(stored.find(part), std::string::npos) << part << " not in:\n" << stored;

  // Read back as Task Scheduler holds it: every week, or other where Wine dropped the trigger.
  settings = program.open(MenuCommand::settings, L"Settings");
  ASSERT_TRUE(answered()) << "Task Scheduler never answered";
  const LRESULT shown = sendTo(schedule, CB_GETCURSEL);
  EXPECT_TRUE(shown == 2 || (shown == 4 && stored.find("<ScheduleByWeek>") == std::string::npos)) << shown;
  chooseItem(schedule, 0);
  program.closeWith(settings, L"Ok");
  EXPECT_EQ(storedTask(task), "") << "Never removes the task";
  program.close();
}

}  // namespace
}  // namespace velmora::e2e
