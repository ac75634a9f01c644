#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace velmora::fakes {

class FakeFileSystem;

// A scripted shell: an image-list handle, icon indexes by file type, shortcut
// targets, the documents it can open and the programs it can start. What was opened
// and started is recorded, and nothing is run. Paths and extensions are compared
// without regard to letter case (A-Z). Safe to call from several threads at once.
//
// A command line finds its program as CreateProcess finds it: the quoted start, or
// else the text up to each blank in turn and then the whole line, ".exe" added to
// a name without an extension; a name without a folder stands for a program of
// that name in any folder, as the search path would find it.
//
// Given a file tree, it moves files to the Recycle Bin by taking them out of it
// through any link on the way, as the shell does; without one, every move fails.
// A run of moves works only on the thread that began it, as the shell's COM
// objects do: used from another, every file fails.
class FakeShell final : public platform::Shell {
 public:
  explicit FakeShell(FakeFileSystem* files = nullptr) : files_(files) {}

  // One document or address the fake opened (shellExecute).
  struct Opened {
    std::uintptr_t owner = 0;
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    int showCommand = 0;
  };
  // One command line the fake started (createProcess), with the program it ran.
  struct Started {
    std::string commandLine;
    std::string program;
    int showCommand = 0;
  };

  // The image-list handle; 0 makes the shell give none.
  void setSystemImageList(std::uintptr_t handle);
  // The icon index of a file type (".txt"). A type asked for without one gets the
  // next free index on first request and keeps it.
  void setIconIndex(std::string_view extension, int index);
  // Makes every icon request fail, as a shell without icons would.
  void setIconsFail(bool fail);
  // A shortcut the shell can load; any other path cannot be loaded as one.
  void addShortcut(std::string_view shortcutPath, std::string_view target, std::string_view arguments = {});
  // The path folderPath gives for a CSIDL; a folder without one is not there.
  void setFolderPath(int csidl, std::string_view path);
  // A document shellExecute can open. Addresses ("scheme://...", "mailto:...")
  // always open.
  void addDocument(std::string_view path);
  // A program createProcess can start, by its full path.
  void addProgram(std::string_view path);

  std::vector<Opened> opened() const;
  std::vector<Started> started() const;

  std::uintptr_t systemSmallImageList() override;
  std::optional<int> iconIndexOfType(std::string_view extension) override;
  std::optional<int> iconIndexOfPath(std::string_view path) override;
  std::optional<std::string> shortcutTarget(std::string_view shortcutPath) override;
  std::optional<std::string> shortcutArguments(std::string_view shortcutPath) override;
  std::optional<std::string> folderPath(int csidl) override;
  int shellExecute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                   std::string_view parameters, std::string_view directory, int showCommand) override;
  std::uint32_t createProcess(std::string_view commandLine, int showCommand) override;
  std::unique_ptr<platform::RecycleRun> beginRecycling() override;
  // A file the Recycle Bin refuses (too large for it, the bin turned off): it stays.
  void refuseRecycling(std::string_view path);
  // Called with each batch of moves, on the thread that sends it, before it is
  // done; it may block the sender.
  void onRecycleBatch(std::function<void(std::size_t batchNumber)> hook);
  // How many files each batch of moves held, in order.
  std::vector<std::size_t> recycleBatches() const;
  // A drive's bin as setRecycleBinSpace left it; an empty bin of 1 TB otherwise.
  std::optional<platform::RecycleBinSpace> recycleBinSpace(std::string_view driveRoot) override;
  // What the bin of a drive ('C') holds and may hold; nothing: the shell cannot tell.
  void setRecycleBinSpace(char drive, std::optional<platform::RecycleBinSpace> space);

 private:
  class Run;
  std::vector<platform::RecycleOutcome> recycle(std::span<const std::string> paths);
  int iconIndexLocked(std::string_view extension);
  // The registered program a name given to CreateProcess stands for; empty if none.
  std::string programNamedLocked(const std::string& name) const;

  mutable std::mutex mutex_;
  std::uintptr_t imageList_ = 0x5150;
  bool iconsFail_ = false;
  std::map<std::string, int> iconIndexes_;  // By folded extension.
  int nextIconIndex_ = 3;                   // The first indexes hold the shell's generic icons.
  std::map<std::string, std::pair<std::string, std::string>> shortcuts_;  // Target and arguments.
  std::map<int, std::string> folders_;
  std::set<std::string> documents_;
  std::map<std::string, std::string> programs_;  // Full paths by folded path.
  std::vector<Opened> opened_;
  std::vector<Started> started_;
  FakeFileSystem* files_;
  std::map<char, std::optional<platform::RecycleBinSpace>> bins_;  // By upper-case drive letter.
  std::set<std::string> refusedByBin_;                             // By folded path.
  std::function<void(std::size_t)> recycleHook_;
  std::vector<std::size_t> recycleBatches_;
};

}  // namespace velmora::fakes
