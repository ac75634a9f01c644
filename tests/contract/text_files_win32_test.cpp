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

// A new file never takes the place of one there, nor of a link at its name; and
// checked for its final path, it is never left behind a folder that is a link
// (under Wine a Linux symbolic link, which Wine reports as a reparse point).
TEST(TextFilesWin32, ANewFileIsNeverMadeOverAnotherOrThroughALinkedFolder) {
  ScratchFolder scratch;
  platform::Win32TextEncoding encoding;
  platform::Win32TextFiles files(encoding);
  const std::string mine = scratch.path() + "mine.txt";
  ASSERT_EQ(files.createNew(mine, "first", true), platform::NewFile::written);
  EXPECT_EQ(files.createNew(mine, "second", false), platform::NewFile::exists);
  EXPECT_EQ(files.readText(mine).data, "first");

  CreateDirectoryW(extendedForm(scratch.path() + "Target").c_str(), nullptr);
  makeFolderLink(scratch.path() + "Link", scratch.path() + "Target");
  const std::string through = scratch.path() + "Link\\startup.lnk";
  EXPECT_EQ(files.createNew(through, "MZ", true), platform::NewFile::redirected);
  EXPECT_EQ(GetFileAttributesW(extendedForm(scratch.path() + "Target\\startup.lnk").c_str()),
            INVALID_FILE_ATTRIBUTES)
      << "nothing is left where the link points";
  EXPECT_EQ(files.createNew(through, "MZ", false), platform::NewFile::written)
      << "a report may go through one";
  makeFolderLink(scratch.path() + "mine-link.txt", scratch.path() + "Target");
  EXPECT_EQ(files.createNew(scratch.path() + "mine-link.txt", "x", false), platform::NewFile::exists);
}

}  // namespace
}  // namespace velmora::contract
