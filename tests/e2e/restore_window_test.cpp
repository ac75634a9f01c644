// The Restore window of the real program: a class of the current user's own,
// deleted from the Registry page while the program's folder cannot hold backups,
// comes back through File, Restore... And a picture of the window with the backup
// listed, for a person to look at.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "png_screenshot.h"
#include "registry_planting.h"
#include "running_program.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

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

  RunningProgram program(copy);
  const RegistryPageWindows page = program.registryPage();
  ASSERT_TRUE(page.scan());
  int row = -1;
  for (int i = 0; i < listRowCount(page.results); ++i)
    if (listCellText(page.results, i, 1) == L".velmorarestore") row = i;
  ASSERT_GE(row, 0) << "the per-user class was not listed";
  EXPECT_EQ(listCellText(page.results, row, 2), L"HKCU");
  clickButton(page.uncheck);
  ASSERT_TRUE(clickListCheckBox(page.results, row));
  const int rows = listRowCount(page.results);
  clickButton(page.remove);
  ASSERT_TRUE(waitUntil([&] { return listRowCount(page.results) == rows - 1; }, 30s)) << "the row did not go";
  EXPECT_FALSE(exists(kUserClass));

  // The backup went to the user's own folder, under the user's hive.
  fs::path backup;
  for (const auto& entry : fs::directory_iterator(own))
    if (entry.path().filename().wstring().starts_with(L"registry-")) backup = entry.path();
  ASSERT_FALSE(backup.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(own), {}), ownBefore + 1);

  HWND dialog = program.open(MenuCommand::restore, L"Restore");
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
  postClick(findVisibleChild(dialog, L"Button", L"Restore"));
  program.answer(L"Confirmation", L"&Yes");
  EXPECT_TRUE(waitUntil([] { return exists(kUserClass); }, 10s)) << "not restored";
  program.answer(kMainCaption, L"OK");
  program.closeWith(dialog, L"Close");
  program.close();
  fs::remove(backup, ignored);
  velmora::e2e::remove(kUserClass);
}

}  // namespace
}  // namespace velmora::e2e
