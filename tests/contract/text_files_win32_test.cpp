// Text-file cases that look past the service at Windows itself: what another
// program sees of a file while the program replaces it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "file_system_scratch_win32.h"
#include "platform/win32/text_encoding_win32.h"
#include "platform/win32/text_files_win32.h"

namespace velmora::contract {
namespace {

std::string readFrom(HANDLE file) {
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  char buffer[256];
  DWORD read = 0;
  if (!ReadFile(file, buffer, sizeof buffer, &read, nullptr)) return "(unreadable)";
  return std::string(buffer, read);
}

TEST(TextFilesWin32, AFileAnotherProgramHasOpenIsNeverChangedUnderIt) {
  ScratchFolder scratch;
  const std::string path = scratch.path() + "exclusions.dat";
  platform::Win32TextEncoding encoding;
  platform::Win32TextFiles files(encoding);
  ASSERT_TRUE(files.writeText(path, "C:\\Windows\r\nD:\\Keep\r\n"));
  ASSERT_TRUE(SetFileAttributesW(extendedForm(path).c_str(), FILE_ATTRIBUTE_HIDDEN));

  // A program reading the file, as a backup or a search indexer does, letting
  // others write and delete it meanwhile. Writing into the file would change
  // what it reads halfway; a file that is open cannot be replaced (on Windows as
  // under Wine), so the write fails and the file stays whole.
  HANDLE reader = CreateFileW(extendedForm(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(files.writeText(path, "E:\\"));
  EXPECT_EQ(readFrom(reader), "C:\\Windows\r\nD:\\Keep\r\n");
  CloseHandle(reader);
  ASSERT_TRUE(files.writeText(path, "E:\\"));
  EXPECT_EQ(files.readText(path).data, "E:\\");

  // The new file keeps what the user made of the old one, and nothing is left
  // beside it.
  EXPECT_NE(GetFileAttributesW(extendedForm(path).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW(extendedForm(scratch.path() + "*").c_str(), &entry);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  int entries = 0;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") ++entries;
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace velmora::contract
