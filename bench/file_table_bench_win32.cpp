// File-table benchmark, run under Wine by bench/run-file-table-bench:
//   bench_file_table_win32.exe ROOT
// ROOT (V:\) is a drive whose raw volume is the image bench_ntfs_table_image
// wrote. Scans it for junk names three times as Search does, and prints whether
// the drive was read from its table, the junk files found, the median time, and
// the process's peak private memory and peak working set before the first scan
// and after the last. Wine does not count private memory (its figure stays near
// constant whatever is allocated), but its peak working set, the process's peak
// resident memory, grows with every page the scan touches: under Wine that is the
// figure that bounds the scan's private bytes.
#include "junk/junk_scan.h"
#include "platform/win32/win32_services.h"

#include <windows.h>

#include "bench_figures.h"
#include "scan_view.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 2 || std::string(argv[1]).size() != 3 || std::string(argv[1]).substr(1) != ":\\") {
    std::fprintf(stderr, "usage: bench_file_table_win32 DRIVE_ROOT (for example V:\\)\n");
    return 2;
  }
  const std::size_t peakBefore = velmora::bench::peakMemory();
  const std::size_t peakSetBefore = velmora::bench::peakWorkingSet();
  std::vector<double> times;
  velmora::bench::ScanView view(argv[1][0], {"*.tmp", "*.~tmp"});
  for (int round = 0; round < 3; ++round) {
    view.found.clear();
    const auto start = velmora::bench::Clock::now();
    velmora::junk::JunkScan(velmora::platform::win32::win32Services(), "").run(view);
    times.push_back(velmora::bench::secondsSince(start));
  }
  const std::size_t peakAfter = velmora::bench::peakMemory();
  const std::size_t peakSetAfter = velmora::bench::peakWorkingSet();
  std::printf("read from the file table: %s\n", view.fromFileTable ? "yes" : "no (walked)");
  std::printf("junk-name scan: %zu files found, median %.2f s of 3\n", view.found.size(),
              velmora::bench::median(times));
  std::printf("%s: %.1f MiB before the scan, %.1f MiB after\n", velmora::bench::kPeakMemoryKind,
              peakBefore / 1048576.0, peakAfter / 1048576.0);
  std::printf(
      "peak working set: %.1f MiB before the scan, %.1f MiB after (the scan's own at most %.1f MiB)\n",
      peakSetBefore / 1048576.0, peakSetAfter / 1048576.0, (peakSetAfter - peakSetBefore) / 1048576.0);
  return view.fromFileTable ? 0 : 1;
}
