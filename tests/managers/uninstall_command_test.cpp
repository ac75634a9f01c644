// Which command line an uninstall command starts as, and when it starts nothing.
#include "managers/uninstall_command.h"

#include <gtest/gtest.h>

#include <set>

namespace velmora::managers {
namespace {

TEST(UninstallCommandLine, StartsOnlyTheProgramTheCommandNamesInFull) {
  const std::set<std::string> files = {"C:\\Program.exe",
                                       "C:\\Program Files\\App\\uninst.exe",
                                       "C:\\Program Files\\Two.exe",
                                       "C:\\Program Files\\Two.exe Tools\\u.exe",
                                       "C:\\My Tools\\a.exe",
                                       "C:\\My Tools\\a.exe.old\\uninst.exe",
                                       "C:\\Windows\\system32\\MsiExec.exe",
                                       "C:\\Windows\\system32\\rundll32.exe"};
  const auto isFile = [&files](const std::string& path) { return files.contains(path); };
  const auto line = [&isFile](std::string_view command) {
    return uninstallCommandLine(command, "C:\\Windows\\system32", isFile);
  };
  const std::optional<std::string> nothing;
  const std::vector<std::pair<std::string_view, std::optional<std::string>>> cases = {
      {"C:\\Program Files\\App\\uninst.exe /S", "\"C:\\Program Files\\App\\uninst.exe\" /S"},
      {"C:\\Program Files\\App\\UNINST.EXE", nothing},  // The file is named with its own case.
      // The shortest beginning that names a file.
      {"C:\\Program Files\\Two.exe Tools\\u.exe /x", "\"C:\\Program Files\\Two.exe\" Tools\\u.exe /x"},
      {"C:\\Program Files\\Gone\\uninst.exe /S", nothing},
      {"C:\\Program Files\\App\\uninst.cmd /S", nothing},
      // ".exe" ends a path only before a blank or the end.
      {"C:\\My Tools\\a.exe.old\\uninst.exe", "\"C:\\My Tools\\a.exe.old\\uninst.exe\""},
      {"C:\\a.exe.old\\My Tools\\x.exe", nothing},
      // A bare program name is the system folder's, by its full path.
      {"MsiExec.exe /X{1234}", "\"C:\\Windows\\system32\\MsiExec.exe\" /X{1234}"},
      {"\"MsiExec.exe\" /X{1234}", "\"C:\\Windows\\system32\\MsiExec.exe\" /X{1234}"},
      {"rundll32 setupapi.dll,Remove", "\"C:\\Windows\\system32\\rundll32.exe\" setupapi.dll,Remove"},
      {"planted.exe /x", nothing},
      // Nothing there for Windows to cut at a blank: started exactly as stored.
      {"\"C:\\Program Files\\App\\uninst.exe\" /S", "\"C:\\Program Files\\App\\uninst.exe\" /S"},
      {"C:\\Apps\\uninst.exe /S", "C:\\Apps\\uninst.exe /S"},
      {"C:\\Apps\\u.exe", "C:\\Apps\\u.exe"},
      {"", nothing},
      {"  ", nothing}};
  for (const auto& [command, expected] : cases) EXPECT_EQ(line(command), expected) << command;
}

}  // namespace
}  // namespace velmora::managers
