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
  const std::set<std::string> more = {"C:\\My Tools\\a.exe", "C:\\My Tools\\a.exe.old\\u.exe",
                                      "C:\\Sys\\MsiExec.exe", "C:\\Sys\\rundll32.exe"};
  const auto isFile = [&](const std::string& path) { return files.contains(path) || more.contains(path); };
  const auto line = [&isFile](std::string_view c) { return uninstallCommandLine(c, "C:\\Sys", isFile); };

  EXPECT_EQ(line("C:\\Program Files\\App\\uninst.exe /S"), "\"C:\\Program Files\\App\\uninst.exe\" /S");
  EXPECT_EQ(line("C:\\Program Files\\App\\UNINST.EXE"), std::nullopt)
      << "the file is named with its own case";
  EXPECT_EQ(line("C:\\Program Files\\Two.exe Tools\\u.exe /x"),
            "\"C:\\Program Files\\Two.exe\" Tools\\u.exe /x")
      << "the shortest beginning that names a file";
  EXPECT_EQ(line("C:\\Program Files\\Gone\\uninst.exe /S"), std::nullopt);
  EXPECT_EQ(line("C:\\Program Files\\App\\uninst.cmd /S"), std::nullopt) << "no program is named";
  // ".exe" ends a path only before a blank or the end.
  EXPECT_EQ(line("C:\\My Tools\\a.exe.old\\u.exe"), "\"C:\\My Tools\\a.exe.old\\u.exe\"");
  EXPECT_EQ(line("C:\\a.exe.old\\My Tools\\x.exe"), std::nullopt);
  // A bare program name is the system folder's, started by its full path.
  EXPECT_EQ(line("MsiExec.exe /X{1234}"), "\"C:\\Sys\\MsiExec.exe\" /X{1234}");
  EXPECT_EQ(line("\"MsiExec.exe\" /X{1}"), "\"C:\\Sys\\MsiExec.exe\" /X{1}");
  EXPECT_EQ(line("rundll32 setup.dll,Remove"), "\"C:\\Sys\\rundll32.exe\" setup.dll,Remove");
  EXPECT_EQ(line("planted.exe /x"), std::nullopt);

  // Started exactly as stored: nothing there for Windows to cut at a blank.
  for (std::string_view stored :
       {"\"C:\\Program Files\\App\\uninst.exe\" /S", "C:\\Apps\\uninst.exe /S", "C:\\Apps\\u.exe"})
    EXPECT_EQ(line(stored), std::string(stored));
  EXPECT_EQ(line(""), std::nullopt);
  EXPECT_EQ(line("  "), std::nullopt);
}

// A tab ends an unquoted program name as a blank does, and a path that is not
// absolute would be found from whatever the working folder is.
TEST(UninstallCommandLine, TabsAndRelativePathsStartNothingElse) {
  const std::set<std::string> files = {"C:\\Temp\\x.exe", "C:\\App\\u.exe", "C:\\App Dir\\u.exe"};
  const auto isFile = [&files](const std::string& path) { return files.contains(path); };
  const auto line = [&isFile](std::string_view c) { return uninstallCommandLine(c, "C:\\Sys", isFile); };

  EXPECT_EQ(line("C:\\Temp\\x\tC:\\App\\u.exe"), std::nullopt) << "no program is named in full";
  EXPECT_EQ(line("C:\\App\\u.exe\t/S"), "C:\\App\\u.exe\t/S");
  EXPECT_EQ(line("C:\\App Dir\\u.exe\t/S"), "\"C:\\App Dir\\u.exe\"\t/S");
  EXPECT_EQ(line("\t\"C:\\App\\u.exe\""), "\t\"C:\\App\\u.exe\"");
  for (std::string_view relative :
       {"%ProgramFiles%\\App\\uninstall.exe /S", "\"%ProgramFiles%\\App\\uninstall.exe\" /S", "App\\u.exe",
        "C:App\\u.exe", "\\App\\u.exe", "\"\\App\\u.exe\"", ".\\u.exe", "\"C:\\App\\u.exe /S"})
    EXPECT_EQ(line(relative), std::nullopt) << relative;
  EXPECT_EQ(line("\\\\server\\share\\u.exe /x"), "\\\\server\\share\\u.exe /x");
}

}  // namespace
}  // namespace velmora::managers
