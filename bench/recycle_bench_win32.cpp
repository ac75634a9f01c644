// Recycle Bin benchmark, run under Wine (or on Windows) by bench/run-recycle-bench:
//   bench_recycle_win32.exe [FILES [ROUNDS]]   (2000 and 3 by default)
// moves FILES small files of a scratch folder on C: to the Recycle Bin, ROUNDS
// times each way, alternating, and prints the medians and their ratio:
// - one at a time, as the program did before: for each file the checks of the
//   deletion, then a run of its own (a COM apartment and a shell operation);
// - in batches, as the deletion does now (junk::disposeJunkFiles): one run, one
//   shell operation per batch.
// Under Wine the bin is the desktop's trash; the benchmark names its own, in the
// scratch folder, empties it before each way is measured and removes it at the
// end. Wine's SHQueryRecycleBin reads every item of the trash, and the older
// SHFileOperation way (Wine has no working file operation object) asks it before
// each call: once per file one at a time, once per batch in batches. On Windows
// the files land in the user's Recycle Bin.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_figures.h"
#include "junk/file_deletion.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_services.h"
#include "wine_unix.h"

namespace {

using velmora::bench::Clock;
using velmora::bench::median;
using velmora::bench::secondsSince;
namespace platform = velmora::platform;

const std::string kFolder = "C:\\velmora-recycle-bench\\";

std::vector<std::string> makeFiles(int count, int round, const char* way) {
  std::vector<std::string> paths;
  for (int i = 0; i < count; ++i) {
    std::string path = kFolder + way + std::to_string(round) + "-" + std::to_string(i) + ".tmp";
    HANDLE file = CreateFileW(platform::win32::widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
    DWORD written = 0;
    WriteFile(file, "velmora", 7, &written, nullptr);
    CloseHandle(file);
    paths.push_back(std::move(path));
  }
  return paths;
}

// How many of the files are still in their place.
int left(const std::vector<std::string>& paths) {
  int count = 0;
  for (const std::string& path : paths)
    count += GetFileAttributesW(platform::win32::widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  return count;
}

double oneAtATime(platform::Services& services, const std::vector<std::string>& paths) {
  const auto start = Clock::now();
  for (const std::string& path : paths) {
    if (!services.files.checkDeletable(path)) continue;
    services.shell.beginRecycling()->moveToRecycleBin(std::span<const std::string>(&path, 1));
  }
  return secondsSince(start);
}

double inBatches(platform::Services& services, const std::vector<std::string>& paths) {
  velmora::junk::RecycleBinRoute route{services.drives, services.shell};
  const auto start = Clock::now();
  velmora::junk::disposeJunkFiles(services.files, &route, paths,
                                  [](std::size_t, const velmora::junk::Disposal&) {});
  return secondsSince(start);
}

}  // namespace

// Under Wine, an empty trash of the benchmark's own.
void emptyTrash() {
  if (!velmora::testing::runningUnderWine()) return;
  std::filesystem::remove_all(platform::win32::widen(kFolder + "xdg"));
  std::filesystem::create_directories(platform::win32::widen(kFolder + "xdg\\Trash\\files"));
  std::filesystem::create_directories(platform::win32::widen(kFolder + "xdg\\Trash\\info"));
}

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 2000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  std::filesystem::remove_all(platform::win32::widen(kFolder));
  std::filesystem::create_directories(platform::win32::widen(kFolder));
  emptyTrash();
  if (velmora::testing::runningUnderWine()) {
    const std::string dataHome = velmora::testing::unixPathOf(platform::win32::widen(kFolder + "xdg"));
    _wputenv_s(L"XDG_DATA_HOME", platform::win32::widen(dataHome).c_str());
  }
  platform::Services& services = platform::win32::win32Services();
  std::vector<double> single, batched;
  int leftSingle = 0, leftBatched = 0;
  for (int round = 0; round < rounds; ++round) {
    std::vector<std::string> paths = makeFiles(files, round, "single");
    emptyTrash();
    single.push_back(oneAtATime(services, paths));
    leftSingle += left(paths);
    paths = makeFiles(files, round, "batch");
    emptyTrash();
    batched.push_back(inBatches(services, paths));
    leftBatched += left(paths);
  }
  std::printf("%d files to the Recycle Bin, median of %d rounds each, alternating\n", files, rounds);
  std::printf("one at a time (a run and an operation per file): %.3f s, %d files left in all rounds\n",
              median(single), leftSingle);
  std::printf("in batches (one run, an operation per batch): %.3f s, %d files left in all rounds\n",
              median(batched), leftBatched);
  std::printf("one at a time / in batches: %.1f\n", median(single) / median(batched));
  std::filesystem::remove_all(platform::win32::widen(kFolder));
  return leftSingle + leftBatched == 0 ? 0 : 1;
}
