#include "marker_program_support.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace velmora::test_support {
namespace {

// The build tree is on Linux; Wine shows the Linux root as drive Z:.
std::wstring builtMarkerProgram() {
  const std::string unixPath = VELMORA_MARKER_PROGRAM;
  std::wstring path = L"Z:";
  for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

}  // namespace

bool placeMarkerProgram(const std::wstring& path) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  return CopyFileW(builtMarkerProgram().c_str(), path.c_str(), FALSE) != 0;
}

std::optional<std::string> markerOf(const std::wstring& programPath, std::chrono::milliseconds limit) {
  const std::filesystem::path marker = programPath + L".ran";
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    std::error_code error;
    if (std::filesystem::exists(marker, error)) {
      std::ifstream in(marker, std::ios::binary);
      return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace velmora::test_support
