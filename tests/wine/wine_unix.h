#pragma once

#include <string>
#include <vector>

// What only Wine offers a Windows test: the Linux side of the machine, for the
// set-ups Windows calls cannot make under Wine (folder links, drive letters) and
// for removing them without going through what they point at.
namespace velmora::testing {

// Whether the test runs under Wine (Wine's own exports are there).
bool runningUnderWine();

// The Linux path of a Windows path; throws std::runtime_error when not under Wine
// or when Wine gives none.
std::string unixPathOf(const std::wstring& windowsPath);

// Runs a Linux program and waits for it; its exit status. Throws when not under
// Wine.
long runUnix(std::vector<std::string> arguments);

}  // namespace velmora::testing
