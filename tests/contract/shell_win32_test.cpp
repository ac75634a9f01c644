// Cases of the Win32 shell that need Windows itself to check them: that what was
// started really ran. The fake starts nothing, so these have no fake counterpart.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstdlib>
#include <vector>

#include "file_system_scratch_win32.h"
#include "platform/win32/shell_win32.h"
#include "wine_unix.h"

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

// Outcomes one letter each, so that a failure shows which file went how:
// r recycled, n not recycled, d deleted for good, f failed.
std::string letters(const std::vector<platform::RecycleOutcome>& outcomes) {
  std::string text;
  for (platform::RecycleOutcome outcome : outcomes) text += "rndf"[static_cast<int>(outcome)];
  return text;
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
  const std::vector<std::string> paths{scratch.path() + "keep.txt.", scratch.path() + "nul"};
  EXPECT_EQ(letters(shell.beginRecycling()->moveToRecycleBin(paths)), "ff");
  EXPECT_NE(GetFileAttributesW(extendedForm(scratch.path() + "keep.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

// A batch of files goes to the Recycle Bin in one call with an outcome for each,
// in order: a file that is not there fails in the middle of the batch and keeps
// no other from going, and a second batch of the same run goes too. Under Wine
// the bin is the desktop's trash, here the test's own (XDG_DATA_HOME, read when
// the shell first looks for it), and Wine's file operation object does nothing,
// so the older SHFileOperation takes the files there; Windows uses the object.
TEST(Win32Shell, ABatchOfFilesGoesToTheRecycleBinWithAnOutcomeEach) {
  ScratchFolder scratch;
  if (testing::runningUnderWine()) {
    for (const char* folder : {"xdg", "xdg\\Trash", "xdg\\Trash\\files", "xdg\\Trash\\info"})
      ASSERT_TRUE(CreateDirectoryW(extendedForm(scratch.path() + folder).c_str(), nullptr)) << folder;
    const std::wstring dataHome = utf16(testing::unixPathOf(utf16(scratch.path() + "xdg")));
    ASSERT_EQ(_wputenv_s(L"XDG_DATA_HOME", dataHome.c_str()), 0);
  }
  platform::Win32Shell shell;
  std::vector<std::string> first;
  std::vector<std::string> second;
  for (int i = 0; i < 300; ++i) {
    const std::string path = scratch.path() + "f" + std::to_string(i) + ".tmp";
    CloseHandle(CreateFileW(extendedForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    (i < 200 ? first : second).push_back(path);
  }
  first.insert(first.begin() + 100, scratch.path() + "not there.tmp");

  const std::unique_ptr<platform::RecycleRun> run = shell.beginRecycling();
  EXPECT_EQ(letters(run->moveToRecycleBin(first)), std::string(100, 'r') + "f" + std::string(100, 'r'));
  EXPECT_EQ(letters(run->moveToRecycleBin(second)), std::string(100, 'r'));
  for (const std::vector<std::string>* batch : {&first, &second})
    for (const std::string& path : *batch)
      EXPECT_EQ(GetFileAttributesW(extendedForm(path).c_str()), INVALID_FILE_ATTRIBUTES) << path;
  if (testing::runningUnderWine()) {
    int inTrash = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(extendedForm(scratch.path() + "xdg\\Trash\\files\\*.tmp").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) ++inTrash;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    EXPECT_EQ(inTrash, 300);
  }
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
