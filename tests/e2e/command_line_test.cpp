// The command line of the real program: choices remembered through the window,
// /preview and /auto on a drive of the test's own, with the report on the
// starter's output, and the runs that must not start.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "files_page_windows.h"
#include "png_screenshot.h"
#include "program_controls.h"
#include "program_copy.h"
#include "program_process.h"
#include "scratch_drive.h"

namespace velmora::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

struct Finished {
  std::optional<DWORD> exitCode;  // Nothing when it did not end within a minute.
  std::string output;             // What it wrote to its output pipe.
};

// Starts the program with arguments and its output on a pipe, as "| more" does,
// and reads the pipe until the program ends. A run that opened a window would not
// end by itself.
Finished runWithOutput(const ProgramCopy& copy, const std::wstring& arguments) {
  Finished run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return run;
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write;
  startup.hStdError = write;
  std::wstring commandLine = L"\"" + copy.exePath() + L"\" " + arguments;
  PROCESS_INFORMATION process{};
  const bool started = CreateProcessW(copy.exePath().c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process);
  CloseHandle(write);
  // Read until the program has ended and the pipe is empty, not until the pipe
  // ends: under Wine another process may come to hold the pipe's writing end.
  const auto deadline = std::chrono::steady_clock::now() + 60s;
  for (bool ended = !started; !ended && std::chrono::steady_clock::now() < deadline;) {
    ended = WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0;
    DWORD waiting = 0;
    while (PeekNamedPipe(read, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0) {
      std::string buffer(waiting, '\0');
      DWORD got = 0;
      if (!ReadFile(read, buffer.data(), waiting, &got, nullptr)) break;
      run.output.append(buffer, 0, got);
    }
    DWORD code = 0;
    if (ended && GetExitCodeProcess(process.hProcess, &code)) run.exitCode = code;
  }
  if (started) {
    if (!run.exitCode) TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(read);
  return run;
}

void writeFile(const fs::path& path, std::size_t bytes) {
  std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
}

// The report files the program wrote beside itself.
std::vector<fs::path> reports(const ProgramCopy& copy) {
  std::vector<fs::path> found;
  const fs::path logs = copy.folder() / L"data" / L"logs";
  if (fs::exists(logs))
    for (const auto& entry : fs::directory_iterator(logs)) found.push_back(entry.path());
  return found;
}

std::string bytesOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(CommandLine, TheWindowRemembersTheCheckedCategoriesAndDrives) {
  ScratchDrive drive;
  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  {
    ProgramProcess program(copy.exePath());
    HWND window = program.waitForWindow(L"Velmora Disk Cleaner 1.3", 60s);
    ASSERT_NE(window, nullptr) << "no main window within 60 s";
    const FilesPageWindows page(window);
    ASSERT_EQ(page.missing(), "");
    clickButton(page.typesUncheck);
    ASSERT_TRUE(clickListCheckBox(page.types, 0));
    ASSERT_TRUE(clickListCheckBox(page.types, 4));
    const int driveRow = findListRow(page.drives, drive.root());
    ASSERT_GT(driveRow, 0) << "the drive list does not show " << narrow(drive.root());
    ASSERT_TRUE(clickListCheckBox(page.drives, 0));
    ASSERT_TRUE(clickListCheckBox(page.drives, driveRow));
    closeProgram(program, window);
  }
  const std::string files =
      "[Files]\r\nCategories=0,4\r\nDrives=" + narrow(drive.root().substr(0, 1)) + "\r\n";
  EXPECT_NE(copy.readSettings().find(files), std::string::npos) << copy.readSettings();

  ProgramProcess program(copy.exePath());
  HWND window = program.waitForWindow(L"Velmora Disk Cleaner 1.3", 60s);
  ASSERT_NE(window, nullptr);
  const FilesPageWindows page(window);
  for (int row = 0; row < listRowCount(page.types); ++row)
    EXPECT_EQ(listRowChecked(page.types, row), row == 0 || row == 4) << "type row " << row;
  for (int row = 0; row < listRowCount(page.drives); ++row)
    EXPECT_EQ(listRowChecked(page.drives, row), listCellText(page.drives, row, 0) == drive.root())
        << "drive row " << row;
  int colours = 0;
  EXPECT_TRUE(saveWindowPng(window, L"files_page_remembered", colours));
  closeProgram(program, window);
}

// Junk files, a file that is no junk and junk in an excluded folder, on a drive
// of the test's own, which the settings remember as the only one.
class CommandLineRun : public ::testing::Test {
 protected:
  void SetUp() override {
    root = drive.root();
    fs::create_directories(root / L"sub");
    fs::create_directories(root / L"kept");
    writeFile(root / L"report.~doc", 3000);
    writeFile(root / L"sub" / L"a.tmp", 5120);
    writeFile(root / L"keep.txt", 100);
    writeFile(root / L"kept" / L"old.~tmp", 100);
    std::ofstream(copy.folder() / L"data" / L"exclusions.dat", std::ios::binary)
        << narrow(drive.root()) << "KEPT\r\n";
    std::ofstream(copy.settingsPath(), std::ios::binary)
        << "[Options]\r\nfirstStart=0\r\ncheckUpdateAtStart=0\r\n[Files]\r\nCategories=0\r\nDrives="
        << narrow(drive.root().substr(0, 1)) << "\r\n";
  }

  bool junkLeft() const { return fs::exists(root / L"report.~doc") && fs::exists(root / L"sub" / L"a.tmp"); }
  void expectNoJunkGone() const { EXPECT_TRUE(junkLeft()) << "a junk file was deleted"; }
  void expectKeptFilesStay() const {
    EXPECT_TRUE(fs::exists(root / L"keep.txt"));
    EXPECT_TRUE(fs::exists(root / L"kept" / L"old.~tmp"));
  }

  ScratchDrive drive;
  ProgramCopy copy;
  fs::path root;
};

TEST_F(CommandLineRun, PreviewListsTheJunkAndAutoDeletesIt) {
  const Finished preview = runWithOutput(copy, L"/preview");
  ASSERT_EQ(preview.exitCode, 0u) << preview.output;
  expectNoJunkGone();
  expectKeptFilesStay();
  const std::string junkLine = narrow((root / L"report.~doc").wstring()) + "\t3000 bytes\t";
  EXPECT_NE(preview.output.find(junkLine + "would delete\r\n"), std::string::npos) << preview.output;
  EXPECT_EQ(preview.output.find("keep.txt"), std::string::npos);
  EXPECT_EQ(preview.output.find("old.~tmp"), std::string::npos);
  ASSERT_EQ(reports(copy).size(), 1u);
  std::cout << "report of /preview, " << reports(copy)[0].filename().string() << ":\n"
            << bytesOf(reports(copy)[0]) << "\n";
  EXPECT_NE(preview.output.find(bytesOf(reports(copy)[0])), std::string::npos) << "the output is the report";

  // Within the same second both runs would name their reports alike.
  Sleep(1100);
  const Finished clean = runWithOutput(copy, L"-AUTO");
  ASSERT_EQ(clean.exitCode, 0u) << clean.output;
  EXPECT_FALSE(fs::exists(root / L"report.~doc"));
  EXPECT_FALSE(fs::exists(root / L"sub" / L"a.tmp"));
  expectKeptFilesStay();
  EXPECT_NE(clean.output.find(junkLine + "deleted\r\n"), std::string::npos) << clean.output;
  EXPECT_NE(clean.output.find("Exit code: 0\r\n"), std::string::npos);
  EXPECT_EQ(reports(copy).size(), 2u);
  std::cout << "output of /auto:\n" << clean.output << "\n";
}

TEST_F(CommandLineRun, RunsThatMustNotStartEndAtOnceWithTheirCodes) {
  const Finished unknown = runWithOutput(copy, L"/auto /quiet");
  EXPECT_EQ(unknown.exitCode, 1u) << "an unknown switch; a window would have kept it running";
  EXPECT_NE(unknown.output.find("Unknown switch: /quiet"), std::string::npos) << unknown.output;

  // Another /auto holds the machine's lock.
  HANDLE running = CreateMutexW(nullptr, FALSE, L"Global\\Velmora Disk Cleaner unattended clean");
  ASSERT_NE(running, nullptr);
  const Finished second = runWithOutput(copy, L"/auto");
  CloseHandle(running);
  EXPECT_EQ(second.exitCode, 2u) << second.output;

  // Another program holds the exclusion list open without sharing it.
  HANDLE held = CreateFileW((copy.folder() / L"data" / L"exclusions.dat").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const Finished withoutExclusions = runWithOutput(copy, L"/auto");
  CloseHandle(held);
  EXPECT_EQ(withoutExclusions.exitCode, 2u) << withoutExclusions.output;
  EXPECT_NE(withoutExclusions.output.find("exists but cannot be read"), std::string::npos);
  std::cout << "output of /auto with the exclusion list held:\n" << withoutExclusions.output << "\n";

  expectNoJunkGone();
  expectKeptFilesStay();
}

}  // namespace
}  // namespace velmora::e2e
