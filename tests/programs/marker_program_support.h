#pragma once

#include <chrono>
#include <optional>
#include <string>

// The marker program (marker_program.cpp) as the Windows tests use it: copies of
// it stand in for the programs a test starts, and each copy that runs leaves a
// marker file with its command line.
namespace velmora::test_support {

// Copies the marker program, built beside the tests, to path (a full Windows
// path, its folders made as needed); false when it cannot.
bool placeMarkerProgram(const std::wstring& path);

// The command line the copy at programPath ran with, once its marker file is
// there; nothing when none appeared within limit.
std::optional<std::string> markerOf(const std::wstring& programPath, std::chrono::milliseconds limit);

}  // namespace velmora::test_support
