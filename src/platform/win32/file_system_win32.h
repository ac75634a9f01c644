#pragma once

#include "platform/file_system.h"

namespace velmora::platform {

// Files and folders with the wide Win32 file functions. Every path reaches Windows
// in its extended-length form (see extended_path.h): long paths work, and names that
// end in a dot or a space or are named like devices address exactly that file. A
// path that is not a full path is refused with FileError::relativePath. All calls
// run with the critical-error dialogs off and are safe to make from any thread.
class Win32FileSystem final : public FileSystem {
 public:
  FileSearch findFirstFile(std::string_view pattern, FindData& data) override;
  FolderListing listFolder(std::string_view path) override;
  FileAttributes getFileAttributes(std::string_view path) override;
  FileSize exclusiveFileSize(std::string_view path) override;
  FileStatus deleteFile(std::string_view path) override;
  FileStatus checkDeletable(std::string_view path) override;
  FileStatus createDirectory(std::string_view path) override;
  FileIdentity fileIdentity(std::string_view path) override;
  bool equalIgnoringCase(std::string_view a, std::string_view b) override;
  std::optional<DosDateTime> localDosDateTime(std::uint64_t fileTime) override;
};

}  // namespace velmora::platform
