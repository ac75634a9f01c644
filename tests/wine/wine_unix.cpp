#include "wine_unix.h"

#include <windows.h>

#include <stdexcept>

namespace velmora::testing {
namespace {

// Wine's exports; both are missing on Windows.
using UnixFileName = char*(CDECL*)(const wchar_t*);
using UnixSpawn = LONG(CDECL*)(char* const argv[], int wait);

template <typename Function>
Function wineExport(const wchar_t* module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(module), name)));
}

}  // namespace

bool runningUnderWine() {
  return wineExport<UnixFileName>(L"kernel32.dll", "wine_get_unix_file_name") != nullptr;
}

std::string unixPathOf(const std::wstring& windowsPath) {
  const auto convert = wineExport<UnixFileName>(L"kernel32.dll", "wine_get_unix_file_name");
  if (!convert) throw std::runtime_error("not running under Wine");
  char* unixPath = convert(windowsPath.c_str());
  if (!unixPath) throw std::runtime_error("Wine gives no Linux path for a Windows path");
  std::string result(unixPath);
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}

long runUnix(std::vector<std::string> arguments) {
  const auto spawn = wineExport<UnixSpawn>(L"ntdll.dll", "__wine_unix_spawnvp");
  if (!spawn) throw std::runtime_error("not running under Wine");
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  return spawn(argv.data(), 1);
}

}  // namespace velmora::testing
