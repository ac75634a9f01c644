#pragma once

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace velmora::fakes {

// A scripted shell: an image-list handle, icon indexes by file type, shortcut
// targets, the documents it can open and the programs it can start. What was opened
// and started is recorded, and nothing is run. Paths and extensions are compared
// without regard to letter case (A-Z). Safe to call from several threads at once.
class FakeShell final : public platform::Shell {
 public:
  // One document or address the fake opened (shellExecute).
  struct Opened {
    std::uintptr_t owner = 0;
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    int showCommand = 0;
  };
  // One command line the fake started (winExec).
  struct Started {
    std::string commandLine;
    int showCommand = 0;
  };

  // The image-list handle; 0 makes the shell give none.
  void setSystemImageList(std::uintptr_t handle);
  // The icon index of a file type (".txt"). A type asked for without one gets the
  // next free index on first request and keeps it.
  void setIconIndex(std::string_view extension, int index);
  // Makes every icon request fail, as a shell without icons would.
  void setIconsFail(bool fail);
  void addShortcut(std::string_view shortcutPath, std::string_view target);
  // A document shellExecute can open. Addresses ("scheme://...", "mailto:...")
  // always open.
  void addDocument(std::string_view path);
  // A program winExec can start: the first word of a command line, or its quoted
  // start, names it.
  void addProgram(std::string_view path);

  std::vector<Opened> opened() const;
  std::vector<Started> started() const;

  std::uintptr_t systemSmallImageList() override;
  std::optional<int> iconIndexOfType(std::string_view extension) override;
  std::optional<int> iconIndexOfPath(std::string_view path) override;
  std::string shortcutTarget(std::string_view shortcutPath) override;
  int shellExecute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                   std::string_view parameters, std::string_view directory, int showCommand) override;
  int winExec(std::string_view commandLine, int showCommand) override;

 private:
  int iconIndexLocked(std::string_view extension);

  mutable std::mutex mutex_;
  std::uintptr_t imageList_ = 0x5150;
  bool iconsFail_ = false;
  std::map<std::string, int> iconIndexes_;  // By folded extension.
  int nextIconIndex_ = 3;                   // The first indexes hold the shell's generic icons.
  std::map<std::string, std::string> shortcuts_;
  std::set<std::string> documents_;
  std::set<std::string> programs_;
  std::vector<Opened> opened_;
  std::vector<Started> started_;
};

}  // namespace velmora::fakes
