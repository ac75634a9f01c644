// The command line of the real program: choices remembered through the window,
// /preview and /auto on a drive of the test's own with the report on the
// starter's output (as "| more" reads it), and runs that must not start.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "png_screenshot.h"
#include "running_program.h"
#include "scratch_drive.h"
#include "wine_unix.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

struct Finished {
  std::optional<DWORD> exitCode;  // Nothing when it had not ended within a minute.
  std::string output;
};

// Runs the program with its output on a pipe. It is read until the program has
// ended and the pipe is empty, not until the pipe ends: under Wine another
// process may come to hold the pipe's writing end.
Finished runWithOutput(const ProgramCopy& copy, const std::wstring& arguments) {
  Finished run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return run;
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = write;
  std::wstring commandLine = L"\"" + copy.exePath() + L"\" " + arguments;
  PROCESS_INFORMATION process{};
  const bool started = CreateProcessW(copy.exePath().c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process);
  CloseHandle(write);
  const auto deadline = std::chrono::steady_clock::now() + 60s;
  for (bool ended = !started; !ended && std::chrono::steady_clock::now() < deadline;) {
    ended = WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0;
    DWORD waiting = 0, got = 0;
    while (PeekNamedPipe(read, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0) {
      std::string buffer(waiting, '\0');
      if (!ReadFile(read, buffer.data(), waiting, &got, nullptr)) break;
      run.output.append(buffer, 0, got);
    }
    if (DWORD code = 0; ended && GetExitCodeProcess(process.hProcess, &code)) run.exitCode = code;
  }
  if (started) {
    if (!run.exitCode) TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(read);
  return run;
}

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(CommandLine, TheWindowRemembersTheCheckedCategoriesAndDrives) {
  ScratchDrive drive;
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  // B: is never there under Wine: it is passed over, and still remembered.
  std::ofstream(copy.settingsPath(), std::ios::app | std::ios::binary)
      << "[Files]\r\nCategories=1\r\nDrives=C,B\r\n";
  for (int pass = 0; pass < 2; ++pass) {
    RunningProgram program(copy);
    const FilesPageWindows page = program.filesPage();
    if (pass == 0) {
      // Temporary files and junk files, on the new drive only.
      ASSERT_TRUE(page.checkOnlyTypes({0, 4}));
      ASSERT_GT(findListRow(page.drives, drive.root()), 0)
          << "the drive list does not show " << narrow(drive.root());
      ASSERT_TRUE(page.checkOnlyDrive(drive.root()));
    } else {
      for (int row = 0; row < listRowCount(page.types); ++row)
        EXPECT_EQ(listRowChecked(page.types, row), row == 0 || row == 4) << "type row " << row;
      for (int row = 0; row < listRowCount(page.drives); ++row)
        EXPECT_EQ(listRowChecked(page.drives, row), listCellText(page.drives, row, 0) == drive.root()) << row;
      int colours = 0;
      EXPECT_TRUE(saveWindowPng(program.window(), L"files_page_remembered", colours));
    }
    program.close();
    const std::string files = "[Files]\r\nCategories=0,4\r\nDrives=B," + narrow(drive.root().substr(0, 1));
    EXPECT_NE(copy.readSettings().find(files), std::string::npos) << copy.readSettings();
  }
}

// Junk files, a file that is no junk and junk in an excluded folder, on a drive
// of the test's own, which the settings remember as the only one.
class CommandLineRun : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root / L"kept");
    for (const wchar_t* name : {L"report.~doc", L"keep.txt", L"kept\\old.~tmp"})
      std::ofstream(root / name, std::ios::binary) << std::string(3000, 'x');
    std::ofstream(copy.folder() / L"data" / L"exclusions.dat", std::ios::binary)
        << narrow(drive.root()) << "KEPT";
    std::ofstream(copy.settingsPath(), std::ios::binary)
        << "[Options]\r\nfirstStart=0\r\ncheckUpdateAtStart=0\r\n[Files]\r\nCategories=0\r\nDrives="
        << narrow(drive.root().substr(0, 1)) << "\r\n";
  }
  void expectJunk(bool left) const {
    EXPECT_EQ(fs::exists(root / L"report.~doc"), left);
    EXPECT_TRUE(fs::exists(root / L"keep.txt") && fs::exists(root / L"kept\\old.~tmp"));
  }

  ScratchDrive drive;
  ProgramCopy copy;
  fs::path root = drive.root();
};

TEST_F(CommandLineRun, PreviewListsTheJunkAndAutoDeletesIt) {
  const std::string junkLine = narrow((root / L"report.~doc").wstring()) + "\t3000 bytes\t";
  const Finished preview = runWithOutput(copy, L"/preview");
  EXPECT_EQ(preview.exitCode, 0u);
  EXPECT_NE(preview.output.find(junkLine + "would delete\r\n\r\nFound: 1 file"), std::string::npos)
      << preview.output;
  expectJunk(true);

  Sleep(1100);  // Two runs within one second would name their reports alike.
  const Finished clean = runWithOutput(copy, L"-AUTO");
  EXPECT_EQ(clean.exitCode, 0u);
  EXPECT_NE(clean.output.find(junkLine + "deleted\r\n"), std::string::npos) << clean.output;
  expectJunk(false);
  EXPECT_EQ(std::distance(fs::directory_iterator(copy.folder() / L"data" / L"logs"), {}), 2);

  // A read-only junk file is not deleted, and the run says so; the other goes.
  const fs::path readOnly = root / L"locked.~tmp";
  std::ofstream(readOnly, std::ios::binary) << "x";
  std::ofstream(root / L"report.~doc", std::ios::binary) << "x";
  ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  Sleep(1100);
  const Finished partly = runWithOutput(copy, L"/auto");
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(partly.exitCode, 3u);
  EXPECT_NE(partly.output.find("locked.~tmp\t1 byte\tnot deleted: access denied or read-only"),
            std::string::npos)
      << partly.output;
  EXPECT_TRUE(fs::exists(readOnly));
  expectJunk(false);
  std::cout << clean.output << partly.output;
}

TEST_F(CommandLineRun, RunsThatMustNotStartEndAtOnceWithTheirCodes) {
  EXPECT_EQ(runWithOutput(copy, L"/auto /quiet").exitCode, 1u) << "a window would have kept it running";

  HANDLE running = CreateMutexW(nullptr, FALSE, L"Global\\Velmora Disk Cleaner unattended clean");
  EXPECT_EQ(runWithOutput(copy, L"/auto").exitCode, 2u) << "another /auto holds the lock";
  CloseHandle(running);

  // Another program holds the exclusion list open without sharing it.
  HANDLE held = CreateFileW((copy.folder() / L"data" / L"exclusions.dat").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  const Finished withoutExclusions = runWithOutput(copy, L"/auto");
  CloseHandle(held);
  EXPECT_EQ(withoutExclusions.exitCode, 2u) << withoutExclusions.output;
  expectJunk(true);
}

// The Recycle Bin route of a run nobody watches asks nothing. Wine's shell has no
// bin of its own: it moves files to the Linux user's trash, and where there is
// none it would ask first or, told to ask nothing, delete for good. Here there is
// none (XDG_DATA_HOME names a place under a file), so the junk must stay, the run
// must say why and end with 3 at once rather than wait on a box in a session
// nobody sees. Wine has no drive without a bin to try; the fakes show that case.
TEST_F(CommandLineRun, TheRecycleBinRouteAsksNothingWhereNoBinTakesTheFile) {
  std::ofstream(copy.settingsPath(), std::ios::app | std::ios::binary)
      << "[Options]\r\nrecycleDeleted=on\r\n";
  const fs::path notAFolder = fs::path(drive.outside()) / L"no-trash";
  std::ofstream(notAFolder, std::ios::binary) << "a file where the trash would be made";
  const std::wstring dataHome = widen(velmora::testing::unixPathOf(notAFolder.wstring()) + "/xdg");
  ASSERT_TRUE(SetEnvironmentVariableW(L"XDG_DATA_HOME", dataHome.c_str()));
  const auto started = std::chrono::steady_clock::now();
  const Finished run = runWithOutput(copy, L"/auto");
  SetEnvironmentVariableW(L"XDG_DATA_HOME", nullptr);
  EXPECT_EQ(run.exitCode, 3u) << "the run waited on a question, or its code says it cleaned everything";
  EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);
  EXPECT_NE(run.output.find("report.~doc\t3000 bytes\tnot deleted: its drive's Recycle Bin did not take it"),
            std::string::npos)
      << run.output;
  expectJunk(true);
}

}  // namespace
}  // namespace velmora::e2e
