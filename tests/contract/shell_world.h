#pragma once

#include <memory>
#include <string>

#include "platform/shell.h"

namespace velmora::contract {

// The ground a shell contract case stands on: the service under test, a throwaway
// folder, and ways to put documents and shortcuts there without the service. One
// world per case; it removes its folder when it goes.
class ShellWorld {
 public:
  virtual ~ShellWorld() = default;

  virtual platform::Shell& shell() = 0;
  // The throwaway folder: a full path with its trailing backslash.
  virtual std::string folder() const = 0;
  // A document the shell can open with its default verb; opening it does nothing
  // lasting.
  virtual std::string makeDocument(const std::string& name) = 0;
  // A file that is not a shortcut, whatever its name says.
  virtual void makeJunkFile(const std::string& path) = 0;
  virtual void makeShortcut(const std::string& shortcutPath, const std::string& target) = 0;
  // The full path of a program that a command line can start and that ends at once
  // when given the argument from quickExitArgument().
  virtual std::string startableProgram() const = 0;
  virtual std::string quickExitArgument() const = 0;
  // Makes a program at the folder's name that notes when it runs, and tells
  // whether it ran (waiting a few seconds for it).
  virtual std::string makeProgram(const std::string& name) = 0;
  virtual bool ran(const std::string& program) = 0;
};

std::unique_ptr<ShellWorld> makeShellWorld();

}  // namespace velmora::contract
