// Registry-scan benchmark: fills a registry with 100,000 class keys and 10,000
// file-extension keys, then prints, from one run, the time of a bare enumeration of
// those keys, the time of the scan of the two categories that examine them (unused
// extensions, class servers), their ratio and the peak memory. Natively the
// registry and the files are the in-memory fakes; the Windows build works on the
// real registry (under Wine, the test prefix, through bench/run-registry-scan-bench)
// and removes what it planted when it ends.
//
// Of the class keys, one in ten names a library that is not there and one in ten
// has a second, local server; of the extension keys, one in four holds nothing.
#include "registry/problem_scan.h"
#include "registry/registry_object.h"

namespace {
// <windows.h> makes the root's name a macro of its own type.
constexpr velmora::platform::RegKey kClassesRoot = velmora::platform::HKEY_CLASSES_ROOT;
}  // namespace

#ifdef _WIN32
#include "platform/win32/drives_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/registry_store_win32.h"
#include "platform/win32/wide.h"

#include <windows.h>
#else
#include "fakes/fake_services.h"
#endif

#include <cstdio>
#include <string>
#include <vector>

#include "bench_figures.h"

namespace {

using namespace velmora;
using bench::Clock;
using bench::median;
using bench::secondsSince;
using namespace velmora::platform;

constexpr int kClassKeys = 100000;
constexpr int kExtensionKeys = 10000;
constexpr int kLibraries = 1000;  // The last tenth of them are missing.

char buffer[64];
const char* numbered(const char* format, int n) {
  std::snprintf(buffer, sizeof buffer, format, n);
  return buffer;
}

std::string classKey(int n) { return numbered("CLSID\\{VELMORA-BENCH-%06d}", n); }
std::string extensionKey(int n) { return numbered(".velmorabench%05d", n); }

#ifdef _WIN32
// The real machine: the libraries lie in a folder of their own on drive C:.
struct Machine {
  win32::RegistryStoreWin32 registry;
  Win32FileSystem files;
  Win32Drives drives;
  const std::string folder = "C:\\velmora-registry-bench\\";

  Machine() {
    removePlanted();
    CreateDirectoryW(win32::widen(folder).c_str(), nullptr);
  }
  void addFile(const std::string& path) {
    HANDLE file = CreateFileW(win32::widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  // Removes what this run or an interrupted one planted.
  void removePlanted();
};

#else
struct Machine {
  fakes::FakeServices fakes;
  RegistryStore& registry = fakes.registry;
  FileSystem& files = fakes.files;
  Drives& drives = fakes.drives;
  const std::string folder = "C:\\Bench\\";

  Machine() { fakes.drives.addDrive('C', {}); }
  void addFile(const std::string& path) { fakes.files.addFile(path); }
  // The fakes go with the process.
  void removePlanted() {}
};

#endif

void setText(RegistryStore& store, const std::string& path, const std::string& name,
             const std::string& text) {
  RegKey key{};
  if (store.createKey(kClassesRoot, path, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, key, nullptr) !=
      ERROR_SUCCESS)
    return;
  store.setValue(key, name, REG_SZ, reinterpret_cast<const std::uint8_t*>(text.c_str()),
                 static_cast<std::uint32_t>(text.size() + 1));
  store.closeKey(key);
}

#ifdef _WIN32
void Machine::removePlanted() {
  velmora::registry::TRegistry cleaner(registry);
  cleaner.SetRoot(kClassesRoot);
  for (int n = 0; n < kClassKeys; ++n) cleaner.RemoveKeyTree(classKey(n));
  for (int n = 0; n < kExtensionKeys; ++n) cleaner.RemoveKeyTree(extensionKey(n));
  for (int n = 0; n < kLibraries; ++n) DeleteFileW(win32::widen(folder + numbered("lib%03d.dll", n)).c_str());
  RemoveDirectoryW(win32::widen(folder).c_str());
}
#endif

void plant(Machine& machine) {
  for (int n = 0; n < kLibraries * 9 / 10; ++n) machine.addFile(machine.folder + numbered("lib%03d.dll", n));
  RegistryStore& store = machine.registry;
  for (int n = 0; n < kClassKeys; ++n) {
    const std::string key = classKey(n);
    setText(store, key, "", "Velmora bench class");
    const std::string server = key + "\\InprocServer32";
    setText(store, server, "", machine.folder + numbered("lib%03d.dll", n % kLibraries));
    setText(store, server, "ThreadingModel", "Both");
    if (n % 10 == 0)
      setText(store, key + "\\LocalServer32", "", "\"" + machine.folder + "lib000.dll\" /automation");
  }
  for (int n = 0; n < kExtensionKeys; ++n) {
    const std::string key = extensionKey(n);
    switch (n % 4) {
      case 0: {
        RegKey created{};
        if (store.createKey(kClassesRoot, key, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, created, nullptr) ==
            ERROR_SUCCESS)
          store.closeKey(created);
        break;
      }
      case 1:
        setText(store, key, "", "velmorabenchfile");
        break;
      case 2:
        setText(store, key + "\\OpenWithProgids", "velmorabenchfile", "");
        break;
      default:
        setText(store, key, "Content Type", "application/x-velmora-bench");
        break;
    }
  }
}

// A key's subkeys, listed through the store as the checks list them.
std::vector<std::string> subkeysOf(RegistryStore& store, RegKey key) {
  std::vector<std::string> names;
  std::uint32_t count = 0;
  if (store.queryInfoKey(key, &count, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return names;
  std::string name;
  for (std::uint32_t i = 0; i < count && store.enumKey(key, i, name) == ERROR_SUCCESS; ++i)
    names.push_back(name);
  return names;
}

std::size_t readDefault(RegistryStore& store, RegKey key) {
  std::uint32_t size = 0;
  RegType type = REG_NONE;
  if (store.queryValue(key, "", &type, nullptr, &size) != ERROR_SUCCESS) return 0;
  std::string data(size, '\0');
  store.queryValue(key, "", &type, reinterpret_cast<std::uint8_t*>(data.data()), &size);
  return size;
}

// The registry work the two checks cannot do without, and nothing else: every
// extension key and every class key with its server keys listed, opened and its
// default value read, straight through the store. Returns the keys opened.
std::size_t bareEnumeration(RegistryStore& store) {
  std::size_t opened = 0;
  auto visit = [&](const std::string& path, auto&& inside) {
    RegKey key{};
    if (store.openKey(kClassesRoot, path, KEY_ALL_ACCESS, key) != ERROR_SUCCESS) return;
    ++opened;
    inside(key);
    store.closeKey(key);
  };
  visit("", [&](RegKey root) {
    for (const std::string& name : subkeysOf(store, root))
      if (name.starts_with('.'))
        visit(name, [&](RegKey key) {
          readDefault(store, key);
          std::uint32_t subkeys = 0, values = 0;
          store.queryInfoKey(key, &subkeys, nullptr, &values, nullptr);
        });
  });
  visit("CLSID", [&](RegKey classes) {
    for (const std::string& name : subkeysOf(store, classes))
      visit("CLSID\\" + name, [&](RegKey key) {
        for (const std::string& server : subkeysOf(store, key))
          if (server == "InprocServer32" || server == "LocalServer32")
            visit("CLSID\\" + name + "\\" + server, [&](RegKey serverKey) { readDefault(store, serverKey); });
      });
  });
  return opened;
}

class CountingView final : public registry::ProblemScanView {
 public:
  bool categoryChecked(registry::ProblemCategory category) override {
    return category == registry::ProblemCategory::unusedExtension ||
           category == registry::ProblemCategory::classServer;
  }
  bool keepGoing() override { return true; }
  void clearResults() override { rows.clear(); }
  void listProblem(registry::ProblemRow row) override { rows.push_back(std::move(row)); }
  void categoryDone(registry::ProblemCategory) override {}
  std::vector<registry::ProblemRow> rows;
};

}  // namespace

int main() {
  Machine machine;
  auto start = Clock::now();
  plant(machine);
  std::printf("registry: %d class keys, %d extension keys planted in %.1f s\n", kClassKeys, kExtensionKeys,
              secondsSince(start));

  // Three rounds of each, alternating, so that both meet the same caches; the
  // figures are the medians.
  std::vector<double> bareTimes, scanTimes;
  std::size_t opened = 0;
  CountingView view;
  const std::size_t peakBefore = bench::peakMemory();
  for (int round = 0; round < 3; ++round) {
    start = Clock::now();
    opened = bareEnumeration(machine.registry);
    bareTimes.push_back(secondsSince(start));
    start = Clock::now();
    registry::ProblemScan(machine.registry, machine.files, machine.drives).run(view);
    scanTimes.push_back(secondsSince(start));
  }
  const std::size_t peakAfter = bench::peakMemory();
  const double bare = median(bareTimes);
  const double scan = median(scanTimes);
  std::printf("bare enumeration: %zu keys opened, median %.3f s\n", opened, bare);
  std::printf("scan of unused extensions and class servers: %zu rows, median %.3f s\n", view.rows.size(),
              scan);
  std::printf("scan / bare enumeration: %.2f\n", scan / bare);
  std::printf("%s: %.1f MiB before the rounds, %.1f MiB after\n", bench::kPeakMemoryKind,
              peakBefore / 1048576.0, peakAfter / 1048576.0);

  machine.removePlanted();
  return 0;
}
