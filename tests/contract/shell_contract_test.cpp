// The shell contract: the same cases against the scripted fake (natively) and
// against the Win32 shell (under Wine).
#include <gtest/gtest.h>

#include "shell_world.h"

namespace velmora::contract {
namespace {

namespace show_command = platform::show_command;

class ShellContract : public ::testing::Test {
 protected:
  std::unique_ptr<ShellWorld> world = makeShellWorld();
  platform::Shell& shell = world->shell();
  const std::string dir = world->folder();
};

TEST_F(ShellContract, TheSystemSmallIconListIsThere) { EXPECT_NE(shell.systemSmallImageList(), 0u); }

TEST_F(ShellContract, TheIconIndexOfAFileTypeIsStable) {
  std::optional<int> first = shell.iconIndexOfType(".txt");
  ASSERT_TRUE(first);
  EXPECT_EQ(shell.iconIndexOfType(".txt"), first);
  // File types do not depend on letter case.
  EXPECT_EQ(shell.iconIndexOfType(".TXT"), first);
}

TEST_F(ShellContract, TheIconIndexOfAPathNeedsNoFile) {
  std::optional<int> byPath = shell.iconIndexOfPath(dir + "never-made.txt");
  ASSERT_TRUE(byPath);
  EXPECT_EQ(shell.iconIndexOfPath(dir + "other\\also-never-made.txt"), byPath);
}

TEST_F(ShellContract, AShortcutsTargetIsReadBack) {
  const std::string target = world->makeDocument("target.bat");
  world->makeShortcut(dir + "to target.lnk", target);
  EXPECT_EQ(shell.shortcutTarget(dir + "to target.lnk"), target);

  const std::string nonLatin = world->makeDocument("Документ 文件.bat");
  world->makeShortcut(dir + "ярлык.lnk", nonLatin);
  EXPECT_EQ(shell.shortcutTarget(dir + "ярлык.lnk"), nonLatin);
}

TEST_F(ShellContract, AShortcutToAMissingTargetGivesThatTarget) {
  // Read as the shortcut holds it: nothing looks for the target or where it went.
  const std::string target = dir + "gone\\program.exe";
  world->makeShortcut(dir + "broken.lnk", target);
  EXPECT_EQ(shell.shortcutTarget(dir + "broken.lnk"), target);
}

TEST_F(ShellContract, WhatCannotBeLoadedAsAShortcutHasNoTarget) {
  world->makeJunkFile(dir + "junk.lnk");
  EXPECT_EQ(shell.shortcutTarget(dir + "junk.lnk"), std::nullopt);
  EXPECT_EQ(shell.shortcutTarget(dir + "missing.lnk"), std::nullopt);
  EXPECT_EQ(shell.shortcutTarget("relative.lnk"), std::nullopt);
}

TEST_F(ShellContract, CreateProcessStartsACommandLineAndReportsAMissingProgram) {
  const std::string program = world->startableProgram();
  EXPECT_EQ(shell.createProcess("\"" + program + "\" " + world->quickExitArgument(), show_command::hide), 0u);
  EXPECT_NE(shell.createProcess("\"" + dir + "missing.exe\" /x", show_command::show), 0u);
}

// What makes an unquoted path with blanks unsafe to start: the program at the
// shortest path the blanks cut out wins over the one the whole path names.
TEST_F(ShellContract, AnUnquotedPathWithBlanksStartsTheProgramItsFirstBlankCutsOut) {
  const std::string cutOut = world->makeProgram("Tool.exe");
  const std::string named = world->makeProgram("Tool Box.exe");
  EXPECT_EQ(shell.createProcess(dir + "Tool Box.exe /x", show_command::hide), 0u);
  EXPECT_TRUE(world->ran(cutOut));
  EXPECT_EQ(shell.createProcess("\"" + dir + "Tool Box.exe\" /x", show_command::hide), 0u);
  EXPECT_TRUE(world->ran(named));
}

TEST_F(ShellContract, ShellExecuteOpensADocumentAndReportsAMissingOne) {
  const std::string document = world->makeDocument("quick.bat");
  EXPECT_GT(shell.shellExecute(0, "", document, "", "", show_command::hide), 32);
  const int missing = shell.shellExecute(0, "open", dir + "missing.txt", "", "", show_command::normal);
  EXPECT_GE(missing, 0);
  EXPECT_LE(missing, 32);
}

}  // namespace
}  // namespace velmora::contract
