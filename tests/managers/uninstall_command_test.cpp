// Which command line an uninstall command starts as, and when it starts nothing.
#include "managers/uninstall_command.h"

#include <gtest/gtest.h>

#include <set>

namespace velmora::managers {
namespace {

TEST(UninstallCommandLine, AnUnquotedPathWithBlanksStartsOnlyAProgramItNamesInFull) {
  const std::set<std::string> files = {"C:\\Program.exe", "C:\\Program Files\\App\\uninst.exe",
                                       "C:\\Program Files\\Two.exe",
                                       "C:\\Program Files\\Two.exe Tools\\u.exe"};
  const auto isFile = [&files](const std::string& path) { return files.contains(path); };
  const auto line = [&isFile](std::string_view command) { return uninstallCommandLine(command, isFile); };

  EXPECT_EQ(line("C:\\Program Files\\App\\uninst.exe /S"), "\"C:\\Program Files\\App\\uninst.exe\" /S");
  EXPECT_EQ(line("C:\\Program Files\\App\\UNINST.EXE"), std::nullopt)
      << "the file is named with its own case";
  EXPECT_EQ(line("C:\\Program Files\\Two.exe Tools\\u.exe /x"),
            "\"C:\\Program Files\\Two.exe\" Tools\\u.exe /x")
      << "the shortest beginning that names a file";
  EXPECT_EQ(line("C:\\Program Files\\Gone\\uninst.exe /S"), std::nullopt);
  EXPECT_EQ(line("C:\\Program Files\\App\\uninst.cmd /S"), std::nullopt) << "no program is named";

  // Started exactly as stored: nothing there for Windows to cut at a blank.
  for (std::string_view stored :
       {"\"C:\\Program Files\\App\\uninst.exe\" /S", "MsiExec.exe /X{1234}", "C:\\Apps\\uninst.exe /S",
        "rundll32 setupapi.dll,Remove", "C:\\Apps\\u.exe"})
    EXPECT_EQ(line(stored), std::string(stored));
  EXPECT_EQ(line(""), std::nullopt);
  EXPECT_EQ(line("  "), std::nullopt);
}

}  // namespace
}  // namespace velmora::managers
