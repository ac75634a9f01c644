#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace velmora::fakes {

// An in-memory file tree that answers like the Windows file functions: drives and
// network shares as roots, names compared without regard to letter case, files that
// another program holds open, read-only files, folders that cannot be listed and
// reparse points. Paths go through the same extended-length rules as on Windows, so
// a relative path is refused and a name ending in a dot or a space is its own name.
//
// Names compare as their upper-case forms do (fake_upper_case.h says where that
// table parts from Windows' own); wildcard patterns fold A-Z only. Wildcards are
// "*" (any run of characters, "*.*" meaning everything) and "?" (one character);
// the DOS corner cases of "?" and "." in patterns are not reproduced.
//
// All calls are safe from several threads at once.
class FakeFileSystem final : public platform::FileSystem {
 public:
  // The last-write time entries get unless told otherwise: 2020-01-01 00:00 UTC.
  static constexpr std::uint64_t kDefaultWriteTime = 132223104000000000ull;

  FakeFileSystem();
  ~FakeFileSystem() override;

  // Setting the tree up. Folders missing on the way, and the drive or share at the
  // root, are created as plain folders. Adding an entry that exists replaces it.
  void addFolder(std::string_view path, std::uint32_t attributes = platform::file_attribute::directory);
  void addFile(std::string_view path, std::uint64_t size = 0,
               std::uint32_t attributes = platform::file_attribute::archive);
  // A folder link (junction or symbolic link): a folder with the reparse-point bit.
  // What is added below it stands for what lies behind the link.
  void addFolderLink(std::string_view path);
  // A folder link that leads to target (a full path), as a junction does: paths
  // through it reach target's entries, and their final paths are target's. Made
  // over an existing folder, it replaces the folder and what it held.
  void addFolderLink(std::string_view path, std::string_view target);
  // A drive letter ("S:") whose root is the folder target, as a subst drive is.
  void addDriveAlias(std::string_view root, std::string_view target);
  // Removes an entry and everything below it.
  void remove(std::string_view path);
  // Replaces an entry's attributes; the directory bit always follows what it is.
  void setAttributes(std::string_view path, std::uint32_t attributes);
  void setLastWriteTime(std::string_view path, std::uint64_t fileTime);
  // A file another program holds open without sharing: it cannot be opened or
  // deleted until released.
  void setHeldOpen(std::string_view path, bool held);
  // A folder whose entries cannot be listed (access denied); its entries can still
  // be reached by their full paths.
  void setListable(std::string_view path, bool listable);
  // The local time zone's distance from UTC, in minutes east.
  void setLocalTimeOffset(int minutes);
  // Called with the path each time listFolder opens a folder, before it lists and
  // on the caller's thread: another program acting in the middle of a walk.
  void onListFolder(std::function<void(std::string_view path)> hook);

  // Whether an entry exists, for tests to look at the tree.
  bool contains(std::string_view path) const;

  platform::FileSearch findFirstFile(std::string_view pattern, platform::FindData& data) override;
  platform::FolderListing listFolder(std::string_view path) override;
  platform::FileAttributes getFileAttributes(std::string_view path) override;
  platform::FileSize exclusiveFileSize(std::string_view path) override;
  platform::FileStatus deleteFile(std::string_view path) override;
  platform::FileStatus checkDeletable(std::string_view path) override;
  platform::FileStatus createDirectory(std::string_view path) override;
  platform::FileIdentity fileIdentity(std::string_view path) override;
  bool equalIgnoringCase(std::string_view a, std::string_view b) override;
  std::optional<platform::DosDateTime> localDosDateTime(std::uint64_t fileTime) override;

 private:
  struct Node;
  struct Location;

  Location locate(std::string_view path, int depth = 0) const;
  platform::FileStatus deleteOrCheck(std::string_view path, bool andDelete);
  // What a link with a target leads to (node itself for anything else).
  Node* follow(Node* node, int depth = 0) const;
  Node& make(std::string_view path, bool directory);
  std::unique_ptr<Node> newNode(Node& parent);
  Node* folderBelowLastListed(std::string_view folderPath) const;

  mutable std::mutex mutex_;
  std::unique_ptr<Node> top_;  // Holds the roots ("C:", "\\server\share") as children.
  int localOffsetMinutes_ = 0;
  std::function<void(std::string_view)> listFolderHook_;
  std::uint64_t lastId_ = 0;
  // The folder findFirstFile listed last and the path it was asked by; forgotten
  // whenever the tree changes shape.
  Node* lastListed_ = nullptr;
  std::string lastListedPath_;
};

}  // namespace velmora::fakes
