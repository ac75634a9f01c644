// The Restore window of the real program: a class of the current user's own,
// deleted from the Registry page while the program's folder cannot hold backups,
// comes back through File, Restore... And a picture of the window with the backup
// listed, for a person to look at.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "png_screenshot.h"
#include "program_controls.h"
#include "program_copy.h"
#include "program_process.h"
#include "registry_planting.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const wchar_t* kMainCaption = L"Velmora Disk Cleaner 1.3";
const Planted kUserClass{HKEY_CURRENT_USER, L"Software\\Classes\\.velmorarestore", std::nullopt};

fs::path ownBackups() {
  wchar_t local[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local))) return {};
  return fs::path(local) / L"Velmora Disk Cleaner" / L"backups";
}

// The row of the Restore list whose File column reads name; -1 when none does.
int rowOfFile(HWND list, const std::wstring& name) {
  for (int row = 0; row < listRowCount(list); ++row)
    if (listCellText(list, row, 3) == name) return row;
  return -1;
}

TEST(RestoreWindow, AUserClassDeletedIntoTheUsersOwnFolderComesBackFromTheWindow) {
  remove(kUserClass);
  createKey(HKEY_CURRENT_USER, kUserClass.key);
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  // A file where the backups folder would go: the folder cannot be made.
  std::ofstream(copy.folder() / L"data" / L"backups") << "in the way";
  const fs::path own = ownBackups();
  ASSERT_FALSE(own.empty());
  std::error_code ignored;
  const auto ownBefore = fs::exists(own) ? std::distance(fs::directory_iterator(own), {}) : 0;

  ProgramProcess program(copy.exePath());
  ASSERT_TRUE(program.started()) << "could not start the program, error " << program.startError();
  HWND window = program.waitForWindow(kMainCaption, 60s);
  ASSERT_NE(window, nullptr);
  clickTab(findVisibleChild(window, WC_TABCONTROLW), 1);
  ASSERT_TRUE(waitUntil([&] { return findListView(window, L"Problem") != nullptr; }, 10s));
  HWND results = findListView(window, L"Problem");
  HWND search = findVisibleChild(window, L"Button", L"Search");
  HWND uncheck = findVisibleChild(GetParent(results), L"Button", L"Uncheck All");
  HWND remove = findVisibleChild(window, L"Button", L"Delete");
  ASSERT_TRUE(search && uncheck && remove);
  clickButton(search);
  ASSERT_TRUE(waitUntil([&] { return windowText(search) == L"Search"; }, 120s));
  int row = -1;
  for (int i = 0; i < listRowCount(results); ++i)
    if (listCellText(results, i, 1) == L".velmorarestore") row = i;
  ASSERT_GE(row, 0) << "the per-user class was not listed";
  EXPECT_EQ(listCellText(results, row, 2), L"HKCU");
  clickButton(uncheck);
  ASSERT_TRUE(clickListCheckBox(results, row));
  const int rows = listRowCount(results);
  clickButton(remove);
  ASSERT_TRUE(waitUntil([&] { return listRowCount(results) == rows - 1; }, 30s)) << "the row did not go";
  EXPECT_FALSE(exists(kUserClass));

  // The backup went to the user's own folder, under the user's hive.
  fs::path backup;
  for (const auto& entry : fs::directory_iterator(own))
    if (entry.path().filename().wstring().starts_with(L"registry-")) backup = entry.path();
  ASSERT_FALSE(backup.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(own), {}), ownBefore + 1);

  // File, Restore...: the first item of the first menu.
  ASSERT_TRUE(typeKeys(window, {VK_F10, VK_DOWN, VK_RETURN}));
  HWND dialog = program.waitForWindow(L"Restore", 30s);
  ASSERT_NE(dialog, nullptr) << "File, Restore... opened no window";
  HWND list = findListView(dialog, L"Date");
  ASSERT_NE(list, nullptr);
  const int listed = rowOfFile(list, backup.filename().wstring());
  ASSERT_GE(listed, 0) << "the backup is not listed";
  EXPECT_EQ(listCellText(list, listed, 1), L"Registry");
  EXPECT_EQ(listCellText(list, listed, 2), L"1");
  ASSERT_TRUE(clickListRow(list, listed));
  int colours = 0;
  EXPECT_TRUE(saveWindowPng(dialog, L"restore_window_english", colours));
  EXPECT_GT(colours, 8);
  // Posted: the question keeps the click's handler busy until it is answered.
  PostMessageW(findVisibleChild(dialog, L"Button", L"Restore"), BM_CLICK, 0, 0);
  HWND question = program.waitForWindow(L"Confirmation", 10s);
  ASSERT_NE(question, nullptr);
  clickButton(findVisibleChild(question, L"Button", L"&Yes"));
  EXPECT_TRUE(waitUntil([] { return exists(kUserClass); }, 10s)) << "not restored";
  // The report box exists a moment before it is shown; its button is clicked once visible.
  HWND reportOk = waitForMessageBoxButton(kMainCaption, L"OK", 10s);
  ASSERT_NE(reportOk, nullptr);
  clickButton(reportOk);
  clickButton(findVisibleChild(dialog, L"Button", L"Close"));
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.waitForExit(30s).has_value());
  fs::remove(backup, ignored);
  velmora::e2e::remove(kUserClass);
}

}  // namespace
}  // namespace velmora::e2e
