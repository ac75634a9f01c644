#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Files and folders: listing a folder, a path's attributes, the size of a file and
// deleting it, each the way the Windows file functions do it, so that the logic
// reads like the calls it makes. Paths are full paths in UTF-8.
namespace velmora::platform {

// File attribute bits, with the values Windows gives them.
namespace file_attribute {
inline constexpr std::uint32_t readOnly = 0x1;
inline constexpr std::uint32_t hidden = 0x2;
inline constexpr std::uint32_t system = 0x4;
inline constexpr std::uint32_t directory = 0x10;
inline constexpr std::uint32_t archive = 0x20;
inline constexpr std::uint32_t normal = 0x80;
inline constexpr std::uint32_t reparsePoint = 0x400;
}  // namespace file_attribute

// Why a call failed: the Windows errors the logic and the tests tell apart.
enum class FileError {
  none,
  fileNotFound,      // No such file, or no entry matches a search pattern.
  pathNotFound,      // A folder on the way does not exist (or the drive does not).
  accessDenied,      // Read-only file, a folder where a file is expected, or no permission.
  sharingViolation,  // Another program holds the file open without sharing it.
  alreadyExists,     // What was to be created is there already.
  relativePath,      // Refused before reaching Windows: not a full path.
  invalidName,       // The name cannot name a file (wildcards where none may be, ...).
  redirected,        // The path leads through a link, or ends in one, to another place.
  other,
};

// One entry of a folder listing, as FindFirstFile and FindNextFile report it.
struct FindData {
  std::string name;  // The long name, without folder.
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;
  // Last write, as a file time: 100-nanosecond intervals since 1601-01-01 UTC.
  std::uint64_t lastWriteTime = 0;

  bool isDirectory() const { return (attributes & file_attribute::directory) != 0; }
  bool isReparsePoint() const { return (attributes & file_attribute::reparsePoint) != 0; }
};

// An MS-DOS date and time, packed as FileTimeToDosDateTime packs them.
struct DosDateTime {
  std::uint16_t date = 0;  // Day 0-4, month 5-8, years since 1980 9-15.
  std::uint16_t time = 0;  // Seconds / 2 0-4, minute 5-10, hour 11-15.
};

// A path's attributes (GetFileAttributes), or why they could not be read.
struct FileAttributes {
  std::uint32_t attributes = 0;
  FileError error = FileError::none;
  explicit operator bool() const { return error == FileError::none; }
};

// A file's size in bytes, or why it could not be measured.
struct FileSize {
  std::uint64_t bytes = 0;
  FileError error = FileError::none;
  explicit operator bool() const { return error == FileError::none; }
};

// The outcome of a call that gives back nothing else.
struct FileStatus {
  FileError error = FileError::none;
  explicit operator bool() const { return error == FileError::none; }
};

// Which file or folder a path leads to, from a handle opened on it: two paths lead
// to the same one when the volume and the file number are equal, whatever names,
// letter case, short names or drive letters they were written with.
struct FileIdentity {
  std::uint32_t volumeSerial = 0;
  std::uint64_t fileIndex = 0;
  // The path Windows gives the opened object (GetFinalPathNameByHandle, long names,
  // the volume's own drive letter), without the "\\?\" prefix.
  std::string finalPath;
  FileError error = FileError::none;
  explicit operator bool() const { return error == FileError::none; }
  static FileIdentity failed(FileError why) {
    FileIdentity identity;
    identity.error = why;
    return identity;
  }
  bool sameObject(const FileIdentity& other) const {
    return *this && other && volumeSerial == other.volumeSerial && fileIndex == other.fileIndex;
  }
};

// What each implementation puts behind an open search.
class FileSearchHandle {
 public:
  virtual ~FileSearchHandle() = default;
  // The next matching entry (FindNextFile); false when there is none left.
  virtual bool findNext(FindData& data) = 0;
};

// An open folder search, as the handle of FindFirstFile; it closes itself
// (FindClose) when it goes. A failed search is false and tells why.
//
//   FindData entry;
//   FileSearch search = files.findFirstFile(folder + "*.*", entry);
//   if (search) do { ... } while (search.findNext(entry));
class FileSearch {
 public:
  explicit FileSearch(FileError error) : error_(error) {}
  explicit FileSearch(std::unique_ptr<FileSearchHandle> handle) : handle_(std::move(handle)) {}

  explicit operator bool() const { return handle_ != nullptr; }
  FileError error() const { return error_; }

  // Fills data with the next entry; false when the search has no more (or failed).
  bool findNext(FindData& data) { return handle_ != nullptr && handle_->findNext(data); }

  // Ends the search early; the destructor does the same.
  void close() { handle_.reset(); }

 private:
  std::unique_ptr<FileSearchHandle> handle_;
  FileError error_ = FileError::none;
};

// What each implementation puts behind an open folder listing.
class FolderListingHandle {
 public:
  virtual ~FolderListingHandle() = default;
  // Replaces batch with the next entries the folder gives in one call; false when
  // none are left (or the listing failed on the way).
  virtual bool nextBatch(std::vector<FindData>& batch) = 0;
};

// A folder opened for listing, read a batch of entries at a time as
// GetFileInformationByHandleEx reads a folder's records into a buffer of 64 KiB or
// more: one call gives what findNext gives over many. The entries, their order and
// what each tells ("." and ".." below a root included) are those a search of the
// folder's "*" finds. It closes the folder when it goes. A failed listing is false
// and tells why.
//
//   std::vector<FindData> batch;
//   FolderListing listing = files.listFolder(folder);
//   while (listing.nextBatch(batch)) for (FindData& entry : batch) { ... }
class FolderListing {
 public:
  explicit FolderListing(FileError error) : error_(error) {}
  explicit FolderListing(std::unique_ptr<FolderListingHandle> handle) : handle_(std::move(handle)) {}

  explicit operator bool() const { return handle_ != nullptr; }
  FileError error() const { return error_; }

  bool nextBatch(std::vector<FindData>& batch) {
    batch.clear();
    return handle_ != nullptr && handle_->nextBatch(batch);
  }

 private:
  std::unique_ptr<FolderListingHandle> handle_;
  FileError error_ = FileError::none;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // FindFirstFile: starts a search for the entries matching pattern, a full path
  // whose last part may hold the wildcards "*" and "?" ("C:\dir\*.*"). On success
  // data holds the first entry. A folder that does not exist, cannot be listed or
  // lies on a missing drive gives a failed search, never a dialog.
  virtual FileSearch findFirstFile(std::string_view pattern, FindData& data) = 0;

  // Opens the folder at path (a full path, with or without its trailing backslash)
  // to read its entries in batches. A folder that does not exist, cannot be listed
  // or lies on a missing drive gives a failed listing, never a dialog; so does a
  // path that names a file.
  virtual FolderListing listFolder(std::string_view path) = 0;

  // GetFileAttributes: the attribute bits of a file or folder.
  virtual FileAttributes getFileAttributes(std::string_view path) = 0;

  // The size of a file opened for reading with no sharing (CreateFile with
  // GENERIC_READ, share mode 0, OPEN_EXISTING), so it fails with sharingViolation
  // while another program holds the file open, and with accessDenied for a folder.
  virtual FileSize exclusiveFileSize(std::string_view path) = 0;

  // DeleteFile, done so that nothing on the way can redirect it: the file is opened
  // for deletion without following a link at its end, and deleted on that handle
  // only when the object opened is a plain file (accessDenied for a folder,
  // redirected for a reparse point) and the path Windows gives it is the path asked
  // for, compared as Windows compares names (redirected otherwise: a folder on the
  // way was replaced by a link). A read-only, held-open or missing file is not
  // deleted either, and the call fails.
  virtual FileStatus deleteFile(std::string_view path) = 0;

  // The checks deleteFile makes before it deletes, and nothing more: whether the
  // file at path is one deleteFile would delete now (a plain file, reached without
  // a link, not read-only and not held open), with the error it would fail with.
  // For a file that goes another way than deleteFile, such as to the Recycle Bin.
  virtual FileStatus checkDeletable(std::string_view path) = 0;

  // The identity of the file or folder at path, following links as an open does.
  virtual FileIdentity fileIdentity(std::string_view path) = 0;

  // CompareStringOrdinal with letter case ignored: whether two names (or paths) are
  // equal as the file system compares names, letter by letter in every script.
  virtual bool equalIgnoringCase(std::string_view a, std::string_view b) = 0;

  // CreateDirectory: makes one folder whose parent exists. A folder (or file) that
  // is already there fails with alreadyExists, a missing parent with pathNotFound.
  virtual FileStatus createDirectory(std::string_view path) = 0;

  // FileTimeToLocalFileTime followed by FileTimeToDosDateTime: a file time as a
  // local MS-DOS date and time; nothing when it falls outside 1980 to 2107.
  virtual std::optional<DosDateTime> localDosDateTime(std::uint64_t fileTime) = 0;

  // The file-existence test the scans share: findFirstFile on the path finds an
  // entry that is not a folder and whose last write converts to a local DOS date
  // and time. Wildcards in the path match as findFirstFile matches them, and only
  // the first entry found counts.
  bool fileExists(std::string_view path);

  // The folder-existence test: the attributes can be read and have the directory
  // bit. A reparse point to a folder counts as a folder.
  bool directoryExists(std::string_view path);

  // Whether path names a folder that is reached without passing through a reparse
  // point: the folder itself and every folder on its way from the drive root or
  // share are plain folders, none a junction, symbolic link or mount point. A
  // folder the program walks and deletes in must be one: any user can make a
  // junction from a place the program cleans to someone's documents.
  bool plainDirectoryExists(std::string_view path);
};

}  // namespace velmora::platform
