// Cases of the Win32 shell that need Windows itself to check them: that what was
// started really ran. The fake starts nothing, so these have no fake counterpart.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include "file_system_scratch_win32.h"
#include "platform/win32/shell_win32.h"

namespace velmora::contract {
namespace {

// Waits up to ten seconds for a file the started program writes.
bool appears(const std::string& path) {
  for (int i = 0; i < 100; ++i) {
    if (GetFileAttributesW(extendedForm(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    Sleep(100);
  }
  return false;
}

// Waits up to ten seconds for the program that runs a script to let go of it, by
// deleting the script: the command interpreter keeps a batch file open until it
// ends, and a folder with a file still open in it cannot be removed.
bool released(const std::string& path) {
  const std::wstring file = extendedForm(path);
  for (int i = 0; i < 100; ++i) {
    DeleteFileW(file.c_str());
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND)
      return true;
    Sleep(100);
  }
  return false;
}

std::string systemProgram(const char* name) {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  return utf8(system) + "\\" + name;
}

TEST(Win32Shell, CreateProcessRunsTheCommandLine) {
  ScratchFolder scratch;
  platform::Win32Shell shell;
  const std::string marker = scratch.path() + "started.txt";
  // Appended piece by piece: GCC 12 warns wrongly (-Wrestrict) on a literal + string chain.
  std::string command = "\"";
  command += systemProgram("cmd.exe");
  command += "\" /c echo started> \"";
  command += marker;
  command += "\"";
  ASSERT_EQ(shell.createProcess(command, platform::show_command::hide), 0u);
  EXPECT_TRUE(appears(marker));
}

TEST(Win32Shell, ShellExecuteRunsADocumentsDefaultVerb) {
  ScratchFolder scratch;
  platform::Win32Shell shell;
  const std::string marker = scratch.path() + "opened.txt";
  const std::string script = scratch.path() + "write marker.bat";
  HANDLE file = CreateFileW(extendedForm(script).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::string body = "@echo opened> \"" + marker + "\"\r\n";
  DWORD written = 0;
  WriteFile(file, body.data(), static_cast<DWORD>(body.size()), &written, nullptr);
  CloseHandle(file);

  ASSERT_GT(shell.shellExecute(0, "", script, "", "", platform::show_command::hide), 32);
  EXPECT_TRUE(appears(marker));
  EXPECT_TRUE(released(script));
}

// The shell reads a path the ordinary way: a name that reads as another file
// ("keep.txt." as "keep.txt") or as a device ("nul") is not sent at all.
TEST(Win32Shell, ANameThatReadsAsAnotherFileIsNotRecycled) {
  ScratchFolder scratch;
  platform::Win32Shell shell;
  for (const char* name : {"keep.txt", "keep.txt.", "nul"})
    CloseHandle(CreateFileW(extendedForm(scratch.path() + name).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_NEW, 0, nullptr));
  for (const char* name : {"keep.txt.", "nul"})
    EXPECT_EQ(shell.moveToRecycleBin(scratch.path() + name), platform::RecycleOutcome::failed) << name;
  EXPECT_NE(GetFileAttributesW(extendedForm(scratch.path() + "keep.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

// The system drive's bin answers with a limit within the volume on Windows; Wine,
// whose bin is the desktop's trash, answers SHQueryRecycleBin with E_FAIL, and so
// nothing. A drive that is not there has no bin to ask.
TEST(Win32Shell, TheRecycleBinTellsWhatItHoldsAndItsLimit) {
  platform::Win32Shell shell;
  ULARGE_INTEGER volume{};
  ASSERT_TRUE(GetDiskFreeSpaceExW(L"C:\\", nullptr, &volume, nullptr));
  SHQUERYRBINFO held{};
  held.cbSize = sizeof held;
  const bool measured = SUCCEEDED(SHQueryRecycleBinW(L"C:\\", &held));
  const std::optional<platform::RecycleBinSpace> bin = shell.recycleBinSpace("C:\\");
  ASSERT_EQ(bin.has_value(), measured);
  if (measured) {
    EXPECT_EQ(bin->usedBytes, static_cast<std::uint64_t>(held.i64Size));
    EXPECT_GT(bin->limitBytes, 0u);
    EXPECT_LE(bin->limitBytes, volume.QuadPart);
  }
  EXPECT_FALSE(shell.recycleBinSpace("Q:\\").has_value());
}

}  // namespace
}  // namespace velmora::contract
