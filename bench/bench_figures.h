#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

#ifdef _WIN32
#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

// What the scan benchmarks measure with: times, their medians, and the process's
// peak memory.
namespace velmora::bench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

inline double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

#ifdef _WIN32
inline constexpr const char* kPeakMemoryKind = "peak private memory";
inline std::size_t peakMemory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakPagefileUsage;
}
// The most memory the process has had resident. Under Wine the one figure of
// these that follows the process's allocations.
inline std::size_t peakWorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakWorkingSetSize;
}
#else
inline constexpr const char* kPeakMemoryKind = "peak resident memory";
inline std::size_t peakMemory() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}
#endif

}  // namespace velmora::bench
