// The Registry page of the real program from end to end: one planted problem per
// category in the registry of the test prefix, found by Search, deleted from the
// list, and put back by opening the backup the deletion wrote. And a picture of
// the page after the scan for a person to look at.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "png_screenshot.h"
#include "registry_planting.h"
#include "running_program.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

const std::wstring kGone = L"C:\\velmora-e2e-gone\\";
const std::wstring kShared = L"Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls\\";
const std::wstring kHelp = L"Software\\Microsoft\\Windows\\Help\\";
const std::wstring kFolders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
// The classes key of either hive; HKEY_CLASSES_ROOT writes the machine's.
const std::wstring kClasses = L"Software\\Classes\\";
// Where 64-bit Windows keeps what 32-bit programs registered.
const std::wstring kUninstall32 = L"Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::wstring kOldCache = L"Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache\\";
const std::wstring kNewCache =
    L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache";

// The test's entries in the prefix's registry, removed again when it goes.
class PlantedRegistry {
 public:
  PlantedRegistry() {
    const DWORD one = 1;
    setValue(HKEY_LOCAL_MACHINE, kShared, kGone + L"shared.dll", REG_DWORD, &one, sizeof one);
    createKey(HKEY_CLASSES_ROOT, L".velmoraunused");
    createKey(HKEY_CURRENT_USER, kClasses + L".velmorauser");
    createKey(HKEY_CLASSES_ROOT, L".velmorakept\\OpenWithProgids");
    setText(HKEY_CLASSES_ROOT, L"CLSID\\{VELMORA-E2E-CLASS}\\InprocServer32", L"", kGone + L"class.dll");
    setText(HKEY_LOCAL_MACHINE, kHelp, L"velmora-e2e.hlp", L"C:\\velmora-e2e-gone");
    setValue(HKEY_LOCAL_MACHINE, kFolders, kGone + L"folder\\", REG_DWORD, &one, sizeof one);
    setText(HKEY_LOCAL_MACHINE, kUninstall + L"VelmoraE2EGone", L"UninstallString", kGone + L"unins.exe");
    setText(HKEY_LOCAL_MACHINE, kUninstall32 + L"VelmoraE2EGone32", L"UninstallString",
            kGone + L"unins32.exe");
    createKey(HKEY_CURRENT_USER, L"Software\\VelmoraE2EEmpty");
    setText(HKEY_CURRENT_USER, kOldCache, kGone + L"app.exe", L"App");
    setText(HKEY_CURRENT_USER, kNewCache, kGone + L"tool.exe.FriendlyAppName", L"Tool");
  }
  ~PlantedRegistry() {
    for (const Planted& item : problems()) remove(item);
    remove(kept());
  }

  // Each a problem the scan must find, in the order of the categories.
  static std::vector<Planted> problems() {
    return {{HKEY_LOCAL_MACHINE, kShared, kGone + L"shared.dll"},
            {HKEY_CLASSES_ROOT, L".velmoraunused", std::nullopt},
            {HKEY_CURRENT_USER, kClasses + L".velmorauser", std::nullopt},
            {HKEY_CLASSES_ROOT, L"CLSID\\{VELMORA-E2E-CLASS}", std::nullopt},
            {HKEY_LOCAL_MACHINE, kHelp, L"velmora-e2e.hlp"},
            {HKEY_LOCAL_MACHINE, kFolders, kGone + L"folder\\"},
            {HKEY_LOCAL_MACHINE, kUninstall + L"VelmoraE2EGone", std::nullopt},
            {HKEY_LOCAL_MACHINE, kUninstall32 + L"VelmoraE2EGone32", std::nullopt},
            {HKEY_CURRENT_USER, L"Software\\VelmoraE2EEmpty", std::nullopt},
            {HKEY_CURRENT_USER, kOldCache, kGone + L"app.exe"},
            {HKEY_CURRENT_USER, kNewCache, kGone + L"tool.exe.FriendlyAppName"}};
  }
  // An extension in use without a default value, which must never be listed.
  static Planted kept() { return {HKEY_CLASSES_ROOT, L".velmorakept", std::nullopt}; }
};

// A result row: "Problem", "Entry", "Root Key", "Registry Key".
using Row = std::tuple<std::wstring, std::wstring, std::wstring, std::wstring>;

std::vector<Row> plantedRows() {
  return {{L"Missing shared DLLs", kGone + L"shared.dll", L"HKLM", kShared},
          {L"Unused file extensions", L".velmorauser", L"HKCU", kClasses + L".velmorauser"},
          {L"Unused file extensions", L".velmoraunused", L"HKLM", kClasses + L".velmoraunused"},
          {L"ActiveX and COM", L"InprocServer32 - " + kGone + L"class.dll", L"HKLM",
           kClasses + L"CLSID\\{VELMORA-E2E-CLASS}"},
          {L"Help files", kGone + L"velmora-e2e.hlp", L"HKLM", kHelp},
          {L"Installer folders", kGone + L"folder\\", L"HKLM", kFolders},
          {L"Uninstall entries", L"VelmoraE2EGone", L"HKLM", kUninstall},
          {L"Uninstall entries", L"VelmoraE2EGone32", L"HKLM", kUninstall32},
          {L"Empty software keys", L"VelmoraE2EEmpty", L"HKCU", L"Software\\"},
          {L"MUI cache", kGone + L"app.exe", L"HKCU", kOldCache},
          {L"MUI cache", kGone + L"tool.exe.FriendlyAppName", L"HKCU", kNewCache}};
}

std::vector<Row> resultRows(HWND list) {
  std::vector<Row> rows;
  for (int row = 0; row < listRowCount(list); ++row)
    rows.emplace_back(listCellText(list, row, 0), listCellText(list, row, 1), listCellText(list, row, 2),
                      listCellText(list, row, 3));
  return rows;
}

TEST(RegistryPage, FindsAndDeletesEveryCategoryAndTheBackupPutsItBack) {
  const PlantedRegistry planted;
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  RunningProgram program(copy);
  const RegistryPageWindows page = program.registryPage();
  ASSERT_TRUE(page.scan()) << "the button did not read \"Search\" again within 120 s of the click";
  EXPECT_TRUE(waitUntil(
      [&] {
        const int rows = listRowCount(page.results);
        return rows >= 11 && statusBarText(page.status) == L"Problems found: " + std::to_wstring(rows);
      },
      10s))
      << listRowCount(page.results) << " rows, status line \"" << statusBarText(page.status) << "\"";
  const std::vector<Row> rows = resultRows(page.results);
  std::vector<int> ours;
  for (const Row& expected : plantedRows()) {
    const auto found = std::find(rows.begin(), rows.end(), expected);
    EXPECT_NE(found, rows.end()) << "no row for " << ::testing::PrintToString(expected);
    if (found != rows.end()) ours.push_back(static_cast<int>(found - rows.begin()));
  }
  for (const Row& row : rows)
    EXPECT_NE(std::get<1>(row), L".velmorakept") << "an extension in use was listed";
  int colours = 0;
  EXPECT_TRUE(saveWindowPng(program.window(), L"registry_page_scanned", colours));
  EXPECT_GT(colours, 8);
  ASSERT_EQ(ours.size(), 11u);

  // Only the planted rows: the prefix's own entries stay as they are.
  clickButton(page.uncheck);
  for (int row : ours) ASSERT_TRUE(clickListCheckBox(page.results, row));
  for (int row = 0; row < listRowCount(page.results); ++row)
    EXPECT_EQ(listRowChecked(page.results, row), std::count(ours.begin(), ours.end(), row) == 1)
        << "row " << row;
  const std::wstring statusBefore = statusBarText(page.status);
  clickButton(page.remove);
  EXPECT_EQ(listRowCount(page.results), static_cast<int>(rows.size()) - 11);
  const std::vector<Row> left = resultRows(page.results);
  for (const Row& expected : plantedRows()) EXPECT_EQ(std::count(left.begin(), left.end(), expected), 0);
  EXPECT_EQ(statusBarText(page.status), statusBefore) << "the status line keeps the scan's count";
  for (const Planted& item : PlantedRegistry::problems()) EXPECT_FALSE(exists(item)) << item.key;
  EXPECT_TRUE(exists(PlantedRegistry::kept()));

  program.close();

  std::vector<fs::path> backups;
  for (const auto& entry : fs::directory_iterator(copy.folder() / L"data" / L"backups"))
    backups.push_back(entry.path());
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_TRUE(backups[0].filename().wstring().starts_with(L"registry-"));
  ASSERT_TRUE(importWithRegedit(backups[0]));
  for (const Planted& item : PlantedRegistry::problems())
    EXPECT_TRUE(exists(item)) << "not restored: " << item.key;
}

}  // namespace
}  // namespace velmora::e2e
