// Cases of the Win32 files-and-folders implementation that need Windows itself to
// check them: they look past the service, at the UTF-16 names and the windows of
// the process.
#include <windows.h>

#include <gtest/gtest.h>

#include "file_system_scratch_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/wide.h"

namespace velmora::contract {
namespace {

BOOL CALLBACK countOwnVisibleWindows(HWND window, LPARAM count) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == GetCurrentProcessId() && IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

TEST(Win32FileSystem, NamesReachWindowsAsTheirUtf16Form) {
  ScratchFolder scratch;
  platform::Win32FileSystem files;
  // "Отчёт.txt" written by its UTF-16 code units, not through any UTF-8 conversion.
  const std::wstring wideName = L"\x041E\x0442\x0447\x0451\x0442.txt";
  const std::wstring widePath = extendedForm(scratch.path()) + wideName;
  HANDLE file = CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);

  platform::FindData entry;
  platform::FileSearch search = files.findFirstFile(scratch.path() + "*.txt", entry);
  ASSERT_TRUE(search);
  EXPECT_EQ(entry.name, "\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82.txt");
  search.close();

  EXPECT_TRUE(files.deleteFile(scratch.path() + "\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82.txt"));
  EXPECT_EQ(GetFileAttributesW(widePath.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Wine makes no file with such a name (CreateFileW fails, and a Linux name that is
// not UTF-8 lists as U+FFFD), so the boundary's conversions are checked alone.
TEST(Win32FileSystem, AnUnpairedSurrogateIsKeptForWindowsAndMarkedForShowing) {
  const std::string text = "x\xED\xA0\x80.tmp";
  EXPECT_EQ(platform::win32::widenName(text), std::wstring(L"x\xD800.tmp"));
  EXPECT_EQ(platform::win32::narrowName(L"x\xD800.tmp"), text);
  EXPECT_EQ(platform::win32::widen(text), std::wstring(L"x\xFFFD.tmp"));
}

TEST(Win32FileSystem, AMissingDriveShowsNoDialog) {
  platform::Win32FileSystem files;
  const DWORD present = GetLogicalDrives();
  std::string root;
  for (char letter = 'Z'; letter >= 'D' && root.empty(); --letter)
    if ((present & (1u << (letter - 'A'))) == 0) root = std::string(1, letter) + ":\\";
  ASSERT_FALSE(root.empty());

  platform::FindData entry;
  EXPECT_FALSE(files.findFirstFile(root + "*.*", entry));
  EXPECT_FALSE(files.getFileAttributes(root + "a.txt"));
  EXPECT_FALSE(files.exclusiveFileSize(root + "a.txt"));
  int windows = 0;
  EnumWindows(countOwnVisibleWindows, reinterpret_cast<LPARAM>(&windows));
  EXPECT_EQ(windows, 0);
}

}  // namespace
}  // namespace velmora::contract
