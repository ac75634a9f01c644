// The names and the Windows folder against what Windows puts in every program's
// environment, which catches a name or folder cut short or read with its zero.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/system_info_win32.h"
#include "platform/win32/wide.h"

namespace velmora::contract {
namespace {

std::optional<std::string> environment(const wchar_t* name) {
  wchar_t value[512];
  const DWORD length = GetEnvironmentVariableW(name, value, 512);
  if (length == 0 || length >= 512) return std::nullopt;
  return platform::win32::narrow(std::wstring_view(value, length));
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
  return CompareStringOrdinal(platform::win32::widen(a).c_str(), -1, platform::win32::widen(b).c_str(), -1,
                              TRUE) == CSTR_EQUAL;
}

TEST(SystemInfoWin32, AnswersAgreeWithTheEnvironment) {
  platform::Win32SystemInfo info;
  const std::optional<std::string> computer = environment(L"COMPUTERNAME");
  const std::optional<std::string> user = environment(L"USERNAME");
  const std::optional<std::string> windows = environment(L"SystemRoot");
  if (!computer || !user || !windows) GTEST_SKIP() << "the environment lacks the names";

  ASSERT_TRUE(info.computerName().has_value());
  EXPECT_TRUE(sameIgnoringCase(*info.computerName(), *computer))
      << *info.computerName() << " / " << *computer;
  ASSERT_TRUE(info.userName().has_value());
  EXPECT_TRUE(sameIgnoringCase(*info.userName(), *user)) << *info.userName() << " / " << *user;
  ASSERT_TRUE(info.windowsDirectory().has_value());
  EXPECT_TRUE(sameIgnoringCase(*info.windowsDirectory(), *windows))
      << *info.windowsDirectory() << " / " << *windows;
}

TEST(SystemInfoWin32, TheExecutablePathNamesThisTestProgram) {
  const std::optional<std::string> path = platform::Win32SystemInfo().executablePath();
  ASSERT_TRUE(path.has_value());
  const DWORD attributes = GetFileAttributesW(platform::win32::widen(*path).c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << *path;
  EXPECT_EQ(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u) << *path;
  const std::string name = path->substr(path->rfind('\\') + 1);
  EXPECT_TRUE(sameIgnoringCase(name, "contract_system_info.exe")) << *path;
}

}  // namespace
}  // namespace velmora::contract
