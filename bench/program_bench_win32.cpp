// End-to-end benchmark of the real program, run under Wine by bench/run-program-bench:
//   bench_program_win32.exe [FOLDERS [FILES_PER_FOLDER [STARTS [ntfs]]]]
// ("ntfs" measures only the scan read from the file table, "trees" only the scans
// and deletions of the two trees)
// What a user waits for, measured from outside the program as a user meets it:
// - start-up: from starting the process to its main window being shown, and to
//   the window answering, with a warm prefix (median of STARTS starts, three by
//   default);
// - the scan: on a drive letter of its own holding FOLDERS folders (10,000 by
//   default, in a hundred groups) of FILES_PER_FOLDER files (10), with only "Junk
//   files" and that drive checked, the time from pressing Search until the button
//   reads "Search" again, against a bare FindFirstFileExW walk of the same drive
//   (medians of three, alternating); with the rows listed, the program's peak
//   memory and the longest the window took to answer during the scans; beside
//   them the same walk reading folders in batches (GetFileInformationByHandleEx),
//   and the FindFirstFileExW walk on 1, 2 and 4 threads with the program idle;
// - Delete of every listed row against a bare DeleteFileW loop over the same
//   files, with the longest the window took to answer during it.
// Two trees: every 33rd file junk (3 %), then every file with n % 10 < 3 (30 %).
// - the drive-wide scan read from the file table: the everyday tree on an NTFS
//   volume written by ntfs-3g, whose image Wine opens as the drive's raw volume
//   ("\\.\X:") while the walk lists its read-only mount; Search to "Search"
//   against the bare single-threaded FindFirstFileExW walk (medians of three).
//   The image is kept beside the benchmark and reused by later runs.
// With VELMORA_BENCH_EARLIER set to an earlier build's executable, both trees'
// scans are timed for that build too, in the same rounds, and its rows compared.
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bare_walks_win32.h"
#include "bench_figures.h"
#include "files_page_windows.h"
#include "program_controls.h"
#include "program_copy.h"
#include "program_process.h"
#include "scratch_drive.h"
#include "wine_unix.h"

namespace {

using namespace velmora::e2e;
using velmora::bench::Clock;
using velmora::bench::median;
using velmora::bench::secondsSince;
using namespace std::chrono_literals;

constexpr const wchar_t* kMainCaption = L"Velmora Disk Cleaner 1.3";
constexpr int kRounds = 3;

struct TreeShape {
  int folders = 10000;
  int filesPerFolder = 10;
  int files() const { return folders * filesPerFolder; }
};

// File n of the tree: folder dirA\subB, name fileF with a junk or plain extension.
std::wstring folderOf(const std::wstring& root, const TreeShape& shape, int n) {
  const int folder = n / shape.filesPerFolder;
  return root + L"dir" + std::to_wstring(folder / 100) + L"\\sub" + std::to_wstring(folder % 100) + L"\\";
}
std::wstring fileOf(const std::wstring& root, const TreeShape& shape, int n, bool junk) {
  // Junk by the catalogue's *.tmp or by a "~" extension, half each.
  const wchar_t* extension = junk ? (n % 2 ? L".~tmp" : L".tmp") : L".dat";
  return folderOf(root, shape, n) + L"file" + std::to_wstring(n % shape.filesPerFolder) + extension;
}

bool writeSmallFile(const std::wstring& path) {
  HANDLE h =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(h, "velmora", 7, &written, nullptr);
  CloseHandle(h);
  return true;
}

// Gives the tree the shape wanted: file n present under its junk or plain name as
// isJunk(n) says, made or renamed as needed. Returns the junk files' paths.
std::vector<std::wstring> shapeTree(const std::wstring& root, const TreeShape& shape,
                                    const std::function<bool(int)>& isJunk) {
  std::vector<std::wstring> junk;
  for (int n = 0; n < shape.files(); ++n) {
    if (n % shape.filesPerFolder == 0) {
      const std::wstring folder = folderOf(root, shape, n);
      CreateDirectoryW(folder.substr(0, folder.rfind(L'\\', folder.size() - 2) + 1).c_str(), nullptr);
      CreateDirectoryW(folder.c_str(), nullptr);
    }
    const bool wanted = isJunk(n);
    const std::wstring path = fileOf(root, shape, n, wanted);
    if (wanted) junk.push_back(path);
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
    const std::wstring other = fileOf(root, shape, n, !wanted);
    if (MoveFileW(other.c_str(), path.c_str())) continue;
    if (!writeSmallFile(path)) throw std::runtime_error("cannot write a file of the tree");
  }
  return junk;
}

// The bare walk: every folder listed with FindFirstFileExW, nothing else. Returns
// the number of files.
std::size_t bareWalk(const std::wstring& root) {
  std::size_t files = 0;
  std::vector<std::wstring> folders{root};
  while (!folders.empty()) {
    const std::wstring folder = std::move(folders.back());
    folders.pop_back();
    files += velmora::bench::listBySearch(folder, folders);
  }
  return files;
}

// Asks the window something every few milliseconds on a thread of its own, and
// keeps the longest time it took to answer: how long the window was unresponsive.
class AnswerWatch {
 public:
  explicit AnswerWatch(HWND window) : window_(window), thread_([this] { watch(); }) {}
  ~AnswerWatch() {
    done_ = true;
    thread_.join();
  }
  double longestSeconds() const { return longest_.load(); }

 private:
  void watch() {
    while (!done_) {
      const auto start = Clock::now();
      DWORD_PTR result = 0;
      SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &result);
      const double took = secondsSince(start);
      if (took > longest_) longest_ = took;
      Sleep(5);
    }
  }

  HWND window_;
  std::atomic<bool> done_{false};
  std::atomic<double> longest_{0};
  std::thread thread_;
};

void closeMainWindow(const ProgramProcess& program, HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (!program.waitForExit(30s)) throw std::runtime_error("the program did not end after WM_CLOSE");
}

double peakMemoryMiB(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (!process) return -1;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  const bool read = GetProcessMemoryInfo(process, &counters, sizeof counters);
  CloseHandle(process);
  return read ? counters.PeakPagefileUsage / 1048576.0 : -1;
}

// Start-up, `starts` times: process start to the main window shown, and to the
// window answering a message.
void measureStartUp(const ProgramCopy& copy, int starts) {
  std::vector<double> shown, answering;
  for (int round = 0; round < starts + 1; ++round) {
    const auto start = Clock::now();
    ProgramProcess program(copy.exePath());
    if (!program.started()) throw std::runtime_error("cannot start the program");
    HWND window = program.waitForWindow(kMainCaption, 60s, 1ms);
    if (!window) throw std::runtime_error("no main window within 60 s");
    const double toShown = secondsSince(start);
    sendTo(window, WM_NULL);
    const double toAnswer = secondsSince(start);
    closeMainWindow(program, window);
    // The first start warms the prefix and the program's files; it is not counted.
    if (round == 0) continue;
    shown.push_back(toShown);
    answering.push_back(toAnswer);
  }
  std::printf("start-up: main window shown after %.0f ms, answering after %.0f ms (medians of %d)\n",
              median(shown) * 1000, median(answering) * 1000, starts);
}

// The Files page set up as a user would: only "Junk files" and only the drive.
FilesPageWindows prepareFilesPage(HWND window, const std::wstring& driveRoot) {
  FilesPageWindows page(window);
  if (!page.missing().empty()) throw std::runtime_error("controls not found:" + page.missing());
  clickButton(page.typesUncheck);
  if (!clickListCheckBox(page.types, 0)) throw std::runtime_error("no check box on the first type");
  const int driveRow = findListRow(page.drives, driveRoot);
  if (driveRow < 0) throw std::runtime_error("the drive list does not show the drive");
  for (int row = 0; row < listRowCount(page.drives); ++row)
    if (listRowChecked(page.drives, row) != (row == driveRow)) clickListCheckBox(page.drives, row);
  return page;
}

// Every row of a result list as "path|size", in list order.
std::vector<std::wstring> listedRows(HWND list) {
  std::vector<std::wstring> rows;
  for (int row = 0; row < listRowCount(list); ++row)
    rows.push_back(listCellText(list, row, 0) + L"|" + listCellText(list, row, 1));
  return rows;
}

// An earlier build of the program to measure beside this one, named by the
// environment variable VELMORA_BENCH_EARLIER (the Windows path of its executable,
// with its data and language folders beside it): its scan is timed in the same
// rounds, and its rows compared with this build's.
struct EarlierBuild {
  std::unique_ptr<ProgramProcess> program;
  HWND window = nullptr;
  std::unique_ptr<FilesPageWindows> page;
  std::vector<double> scanTimes;
};

std::unique_ptr<EarlierBuild> startEarlierBuild(const std::wstring& driveRoot) {
  const wchar_t* exe = _wgetenv(L"VELMORA_BENCH_EARLIER");
  if (!exe || !*exe) return nullptr;
  const std::wstring path(exe);
  const std::wstring ini = path.substr(0, path.rfind(L'.')) + L".ini";
  HANDLE file = CreateFileW(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const char settings[] = "[Options]\r\nLanguage=English\r\nfirstStart=0\r\ncheckUpdateAtStart=0\r\n";
  DWORD written = 0;
  if (file != INVALID_HANDLE_VALUE) WriteFile(file, settings, sizeof settings - 1, &written, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  auto earlier = std::make_unique<EarlierBuild>();
  earlier->program = std::make_unique<ProgramProcess>(path);
  earlier->window = earlier->program->started() ? earlier->program->waitForWindow(kMainCaption, 60s) : nullptr;
  if (!earlier->window) throw std::runtime_error("the earlier build did not start");
  earlier->page = std::make_unique<FilesPageWindows>(prepareFilesPage(earlier->window, driveRoot));
  return earlier;
}

void benchTree(const char* name, const ScratchDrive& drive, const TreeShape& shape,
               const std::function<bool(int)>& isJunk) {
  const std::wstring root = drive.root();
  auto start = Clock::now();
  const std::vector<std::wstring> junk = shapeTree(root, shape, isJunk);
  std::printf("\n%s tree: %d files in %d folders, %zu junk, made in %.1f s\n", name, shape.files(),
              shape.folders, junk.size(), secondsSince(start));

  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  ProgramProcess program(copy.exePath());
  HWND window = program.started() ? program.waitForWindow(kMainCaption, 60s) : nullptr;
  if (!window) throw std::runtime_error("the program did not start");
  const FilesPageWindows page = prepareFilesPage(window, root);
  const std::unique_ptr<EarlierBuild> earlier = startEarlierBuild(root);

  std::vector<double> bareTimes, batchedTimes, scanTimes;
  std::size_t walked = 0, walkedInBatches = 0;
  double longestScanWait = 0;
  for (int round = 0; round < kRounds; ++round) {
    start = Clock::now();
    walked = bareWalk(root);
    bareTimes.push_back(secondsSince(start));
    start = Clock::now();
    walkedInBatches = velmora::bench::batchedBareWalk(root);
    batchedTimes.push_back(secondsSince(start));

    AnswerWatch watch(window);
    start = Clock::now();
    clickButton(page.search);
    while (!page.scanEnded()) Sleep(2);
    scanTimes.push_back(secondsSince(start));
    longestScanWait = std::max(longestScanWait, watch.longestSeconds());
    if (earlier) {
      start = Clock::now();
      clickButton(earlier->page->search);
      while (!earlier->page->scanEnded()) Sleep(2);
      earlier->scanTimes.push_back(secondsSince(start));
    }
  }
  // The list learns its length from a message of its own, just after the scan.
  waitUntil([&] { return listRowCount(page.results) >= static_cast<int>(junk.size()); }, 10s);
  const int rows = listRowCount(page.results);
  const double bare = median(bareTimes);
  const double scan = median(scanTimes);
  std::printf("bare FindFirstFileExW walk: %zu files, median %.3f s\n", walked, bare);
  std::printf("program scan (Search to \"Search\"): %d rows listed, median %.3f s\n", rows, scan);
  std::printf("program scan / bare walk: %.2f\n", scan / bare);
  if (earlier) {
    waitUntil([&] { return listRowCount(earlier->page->results) >= static_cast<int>(junk.size()); }, 10s);
    const bool same = listedRows(earlier->page->results) == listedRows(page.results);
    std::printf("earlier build's scan: median %.3f s; / bare walk %.2f; its rows %s this build's\n",
                median(earlier->scanTimes), median(earlier->scanTimes) / bare, same ? "are" : "ARE NOT");
    closeMainWindow(*earlier->program, earlier->window);
  }
  const double batched = median(batchedTimes);
  std::printf(
      "bare batched walk (GetFileInformationByHandleEx): %zu files, median %.3f s; / bare walk %.2f; "
      "program scan / batched walk %.2f\n",
      walkedInBatches, batched, batched / bare, scan / batched);
  std::printf("one folder listed by the bare walk: %.0f us\n",
              bare / (shape.folders + shape.folders / 100 + 1) * 1e6);
  for (int threads : {1, 2, 4}) {
    std::vector<double> times;
    std::size_t files = 0;
    for (int round = 0; round < kRounds; ++round) {
      start = Clock::now();
      files = velmora::bench::threadedBareWalk(root, threads);
      times.push_back(secondsSince(start));
    }
    std::printf("bare FindFirstFileExW walk on %d thread(s): %zu files, median %.3f s; / bare walk %.2f\n",
                threads, files, median(times), median(times) / bare);
  }
  std::printf("status line: %ls\n", statusBarText(page.status).c_str());
  std::printf("program peak private memory: %.1f MiB\n", peakMemoryMiB(window));
  std::printf("longest wait for the window to answer during the scans: %.0f ms\n", longestScanWait * 1000);

  // Delete runs on the program's worker: from the click until the button, Stop
  // meanwhile, reads "Search" again.
  double deleteTime = 0, longestDeleteWait = 0;
  {
    AnswerWatch watch(window);
    start = Clock::now();
    clickButton(page.remove);
    if (!waitUntil([&] { return page.scanEnded(); }, 600s))
      throw std::runtime_error("Delete did not end within 10 minutes");
    deleteTime = secondsSince(start);
    longestDeleteWait = watch.longestSeconds();
  }
  std::size_t left = 0;
  for (const std::wstring& path : junk) left += GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  const int rowsLeft = listRowCount(page.results);
  std::printf("status line: %ls\n", statusBarText(page.status).c_str());
  closeMainWindow(program, window);

  // The same files again, deleted by a bare loop.
  for (const std::wstring& path : junk)
    if (!writeSmallFile(path)) throw std::runtime_error("cannot write a junk file again");
  start = Clock::now();
  std::size_t bareDeleted = 0;
  for (const std::wstring& path : junk) bareDeleted += DeleteFileW(path.c_str()) ? 1 : 0;
  const double bareDelete = secondsSince(start);
  std::printf(
      "program Delete: %d rows in %.3f s (%d rows and %zu files left); bare DeleteFileW loop: %zu files "
      "in %.3f s; ratio %.2f\n",
      rows, deleteTime, rowsLeft, left, bareDeleted, bareDelete, deleteTime / bareDelete);
  std::printf("longest wait for the window to answer during Delete: %.0f ms\n", longestDeleteWait * 1000);
}

// The scan of a drive that the program reads from its file table, against the
// bare walk of the same files.
void benchFileTable(const TreeShape& shape) {
  using velmora::testing::runUnix;
  using velmora::testing::unixPathOf;
  ScratchDrive drive;
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::wstring exeFolder(exe, std::wstring_view(exe).rfind(L'\\') + 1);
  const std::string image = unixPathOf(exeFolder) + "ntfs-tree-" + std::to_string(shape.folders) + "x" +
                            std::to_string(shape.filesPerFolder) + ".img";
  const std::string mount = unixPathOf(drive.outside() + L"drive");
  auto start = Clock::now();
  if (runUnix({"/bin/sh", VELMORA_NTFS_TREE_SCRIPT, image, mount, std::to_string(shape.folders),
               std::to_string(shape.filesPerFolder)}) != 0)
    throw std::runtime_error("ntfs-3g could not make or mount the tree's image");
  // Unmounted before the drive goes, which removes the folder it is mounted on.
  struct Unmount {
    std::string mount;
    ~Unmount() { runUnix({"/bin/umount", mount}); }
  } unmount{mount};
  drive.linkDevice(image);
  std::printf("\nNTFS tree: %d files in %d folders, image ready in %.1f s\n", shape.files(), shape.folders,
              secondsSince(start));

  ProgramCopy copy;
  copy.writeEarlierRunSettings();
  ProgramProcess program(copy.exePath());
  HWND window = program.started() ? program.waitForWindow(kMainCaption, 60s) : nullptr;
  if (!window) throw std::runtime_error("the program did not start");
  const FilesPageWindows page = prepareFilesPage(window, drive.root());
  std::vector<double> bareTimes, scanTimes;
  std::size_t walked = 0;
  for (int round = 0; round < kRounds; ++round) {
    start = Clock::now();
    walked = bareWalk(drive.root());
    bareTimes.push_back(secondsSince(start));
    start = Clock::now();
    clickButton(page.search);
    while (!page.scanEnded()) Sleep(2);
    scanTimes.push_back(secondsSince(start));
  }
  waitUntil([&] { return listRowCount(page.results) > 0; }, 10s);
  const double bare = median(bareTimes);
  const double scan = median(scanTimes);
  std::printf("bare FindFirstFileExW walk of the mount: %zu files, median %.3f s\n", walked, bare);
  std::printf("program scan read from the file table (Search to \"Search\"): %d rows, median %.3f s\n",
              listRowCount(page.results), scan);
  std::printf("program scan / bare walk: %.3f\n", scan / bare);
  std::printf("status line: %ls\n", statusBarText(page.status).c_str());
  std::printf("program peak private memory: %.1f MiB\n", peakMemoryMiB(window));
  closeMainWindow(program, window);
}

}  // namespace

int main(int argc, char** argv) {
  TreeShape shape;
  if (argc > 1) shape.folders = std::atoi(argv[1]);
  if (argc > 2) shape.filesPerFolder = std::atoi(argv[2]);
  const int starts = argc > 3 ? std::atoi(argv[3]) : kRounds;
  const bool onlyFileTable = argc > 4 && std::string(argv[4]) == "ntfs";
  const bool onlyTrees = argc > 4 && std::string(argv[4]) == "trees";
  if (shape.folders < 1 || shape.filesPerFolder < 1 || starts < 1) {
    std::fprintf(stderr, "usage: bench_program_win32 [FOLDERS [FILES_PER_FOLDER [STARTS [ntfs|trees]]]]\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  try {
    if (onlyFileTable) {
      benchFileTable(shape);
      return 0;
    }
    if (!onlyTrees) {
      ProgramCopy copy;
      copy.writeEarlierRunSettings();
      measureStartUp(copy, starts);
    }
    {
      ScratchDrive drive;
      benchTree("everyday", drive, shape, [](int n) { return n % 33 == 0; });
      benchTree("heavy", drive, shape, [](int n) { return n % 10 < 3; });
    }
    if (!onlyTrees) benchFileTable(shape);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_program_win32: %s\n", error.what());
    return 1;
  }
  return 0;
}
