// Junk-scan benchmark, run under Wine (or on Windows) by bench/run-junk-scan-bench:
//   bench_junk_scan_win32.exe ROOT
// builds a synthetic tree below ROOT (a drive root such as V:\): 10,000 folders of
// ten files each, 3% of them junk by name; then prints, from one run, the time of a
// bare walk of the tree through the files service, the time of the junk-name scan
// of that drive, their ratio, the scan's peak memory and the time to delete what
// the scan found.
#include "junk/junk_scan.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/wide.h"

#include <windows.h>

#include "bench_figures.h"
#include "scan_view.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using velmora::bench::Clock;
using velmora::bench::median;
using velmora::bench::secondsSince;
using velmora::platform::FileSystem;

constexpr int kTopFolders = 100;
constexpr int kSubFolders = 100;
constexpr int kFilesPerFolder = 10;

bool buildTree(const std::string& root, int& junkFiles) {
  junkFiles = 0;
  int n = 0;
  for (int a = 0; a < kTopFolders; ++a) {
    std::string top = root + "dir" + std::to_string(a) + "\\";
    CreateDirectoryW(velmora::platform::win32::widen(top).c_str(), nullptr);
    for (int b = 0; b < kSubFolders; ++b) {
      std::string folder = top + "sub" + std::to_string(b) + "\\";
      CreateDirectoryW(velmora::platform::win32::widen(folder).c_str(), nullptr);
      for (int f = 0; f < kFilesPerFolder; ++f, ++n) {
        // Every 33rd file is junk by name: a "~" extension or a temporary file.
        const bool junk = n % 33 == 0;
        std::string name = folder + "file" + std::to_string(f) + (junk ? (n % 2 ? ".~tmp" : ".tmp") : ".dat");
        junkFiles += junk;
        HANDLE h = CreateFileW(velmora::platform::win32::widen(name).c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        WriteFile(h, "velmora", 7, &written, nullptr);
        CloseHandle(h);
      }
    }
  }
  return true;
}

// The bare enumeration: every entry of every folder through the files service,
// nothing else.
std::size_t bareWalk(FileSystem& files, const std::string& folder) {
  std::size_t count = 0;
  velmora::platform::FindData entry;
  std::vector<std::string> below;
  auto search = files.findFirstFile(folder + "*.*", entry);
  if (search) do {
      if (entry.name == "." || entry.name == "..") continue;
      if (entry.isDirectory())
        below.push_back(folder + entry.name + "\\");
      else
        ++count;
    } while (search.findNext(entry));
  search.close();
  for (const auto& sub : below) count += bareWalk(files, sub);
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::string(argv[1]).size() != 3 || std::string(argv[1]).substr(1) != ":\\") {
    std::fprintf(stderr, "usage: bench_junk_scan_win32 DRIVE_ROOT (for example V:\\)\n");
    return 2;
  }
  const std::string root = argv[1];
  velmora::platform::Win32FileSystem files;

  int junk = 0;
  auto start = Clock::now();
  if (!buildTree(root, junk)) {
    std::fprintf(stderr, "could not build the tree below %s\n", root.c_str());
    return 1;
  }
  std::printf("tree: %d files in %d folders, %d junk, built in %.1f s\n",
              kTopFolders * kSubFolders * kFilesPerFolder, kTopFolders * kSubFolders, junk,
              secondsSince(start));

  // Five rounds of each, alternating, so that both meet the same caches; the
  // figures are the medians.
  std::vector<double> bareTimes, scanTimes;
  std::size_t walked = 0;
  const std::size_t peakBefore = velmora::bench::peakMemory();
  velmora::bench::ScanView view(root[0], {"*.tmp"});
  for (int round = 0; round < 5; ++round) {
    start = Clock::now();
    walked = bareWalk(files, root);
    bareTimes.push_back(secondsSince(start));
    view.found.clear();
    start = Clock::now();
    velmora::junk::JunkScan(velmora::platform::win32::win32Services(), "").run(view);
    scanTimes.push_back(secondsSince(start));
  }
  const std::size_t peakAfter = velmora::bench::peakMemory();
  const double bare = median(bareTimes);
  const double scan = median(scanTimes);
  std::printf("bare enumeration: %zu files, median %.3f s\n", walked, bare);
  std::printf("junk-name scan: %zu files listed, median %.3f s\n", view.found.size(), scan);
  std::printf("scan / bare enumeration: %.2f\n", scan / bare);
  std::printf("peak private memory: %.1f MiB before the scan, %.1f MiB after\n", peakBefore / 1048576.0,
              peakAfter / 1048576.0);

  start = Clock::now();
  std::size_t deleted = 0;
  for (const auto& path : view.found) deleted += files.deleteFile(path) ? 1 : 0;
  std::printf("delete: %zu files in %.3f s\n", deleted, secondsSince(start));
  return view.found.size() == static_cast<std::size_t>(junk) && deleted == view.found.size() ? 0 : 1;
}
