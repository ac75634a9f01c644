#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file_system.h"

namespace velmora::contract {

// The ground a files-and-folders contract case stands on: the service under test
// and a throwaway folder, with ways to arrange files there that do not go through
// the service. One world per case; it removes its folder when it goes.
class FileSystemWorld {
 public:
  // Keeps a file open without sharing, as another program would, until it goes.
  class Hold {
   public:
    virtual ~Hold() = default;
  };

  virtual ~FileSystemWorld() = default;

  virtual platform::FileSystem& files() = 0;
  // The throwaway folder: a full path with its trailing backslash.
  virtual std::string folder() const = 0;
  // The root of a drive letter that does not exist on this machine ("Q:\").
  virtual std::string missingDriveRoot() const = 0;

  virtual void makeFolder(const std::string& path) = 0;
  virtual void makeFile(const std::string& path, std::uint64_t size) = 0;
  virtual void setAttributes(const std::string& path, std::uint32_t attributes) = 0;
  virtual void setLastWriteTime(const std::string& path, std::uint64_t fileTime) = 0;
  virtual std::unique_ptr<Hold> holdOpen(const std::string& path) = 0;
  // A link at `link` to the folder `target` (a symbolic link or junction).
  virtual void makeFolderLink(const std::string& link, const std::string& target) = 0;
  // Makes a folder's entries impossible to list; false where the world cannot.
  virtual bool makeUnlistable(const std::string& path) = 0;

  // Whether an entry exists, seen without the service.
  virtual bool exists(const std::string& path) const = 0;
};

std::unique_ptr<FileSystemWorld> makeFileSystemWorld();

}  // namespace velmora::contract
