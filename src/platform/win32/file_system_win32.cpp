#include "platform/win32/file_system_win32.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <vector>

#include "platform/extended_path.h"
#include "platform/win32/critical_error_mode.h"
#include "platform/win32/final_path.h"
#include "platform/win32/wide.h"

namespace velmora::platform {
namespace {

using win32::CriticalErrorDialogsOff;
using win32::equalNames;
using win32::finalPathIs;
using win32::finalPathOf;

// The reason for a failed call. A failure without an error code is still a failure.
FileError fileErrorFrom(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_NO_MORE_FILES:
      return FileError::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return FileError::pathNotFound;
    case ERROR_ACCESS_DENIED:
      return FileError::accessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileError::sharingViolation;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return FileError::alreadyExists;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
      return FileError::invalidName;
    default:
      return FileError::other;
  }
}

std::uint64_t joined(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

void copyFindData(const WIN32_FIND_DATAW& raw, FindData& data) {
  data.name = win32::narrowName(raw.cFileName);
  data.attributes = raw.dwFileAttributes;
  data.size = joined(raw.nFileSizeHigh, raw.nFileSizeLow);
  data.lastWriteTime = joined(raw.ftLastWriteTime.dwHighDateTime, raw.ftLastWriteTime.dwLowDateTime);
}

// The search handle of FindFirstFileExW; FindClose when it goes.
class Win32FileSearch final : public FileSearchHandle {
 public:
  explicit Win32FileSearch(HANDLE handle) : handle_(handle) {}
  ~Win32FileSearch() override { FindClose(handle_); }
  Win32FileSearch(const Win32FileSearch&) = delete;
  Win32FileSearch& operator=(const Win32FileSearch&) = delete;

  bool findNext(FindData& data) override {
    WIN32_FIND_DATAW raw;
    CriticalErrorDialogsOff quiet;
    if (!FindNextFileW(handle_, &raw)) return false;
    copyFindData(raw, data);
    return true;
  }

 private:
  HANDLE handle_;
};

// Closes a handle when it goes.
class HandleCloser {
 public:
  explicit HandleCloser(HANDLE handle) : handle_(handle) {}
  ~HandleCloser() { CloseHandle(handle_); }
  HandleCloser(const HandleCloser&) = delete;
  HandleCloser& operator=(const HandleCloser&) = delete;

 private:
  HANDLE handle_;
};

unsigned char asciiUpper(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 0x20) : c; }

}  // namespace

FileSearch Win32FileSystem::findFirstFile(std::string_view pattern, FindData& data) {
  std::optional<std::string> extended = extendedLengthPath(pattern);
  if (!extended) return FileSearch(FileError::relativePath);
  const std::wstring wide = win32::widenName(*extended);

  // FindExInfoBasic leaves out the short 8.3 name, which nothing here reads, and
  // the large fetch asks for entries in bigger batches: the same entries as
  // FindFirstFileW, found faster on big folders.
  WIN32_FIND_DATAW raw;
  HANDLE handle;
  DWORD error;
  {
    CriticalErrorDialogsOff quiet;
    handle = FindFirstFileExW(wide.c_str(), FindExInfoBasic, &raw, FindExSearchNameMatch, nullptr,
                              FIND_FIRST_EX_LARGE_FETCH);
    error = GetLastError();
  }
  if (handle == INVALID_HANDLE_VALUE) return FileSearch(fileErrorFrom(error));
  copyFindData(raw, data);
  return FileSearch(std::make_unique<Win32FileSearch>(handle));
}

namespace {

// The record of FileIdExtdDirectoryInfo (FILE_ID_EXTD_DIR_INFO, Windows 8 on),
// spelled out here because the headers give it only to programs built for
// Windows 8 and later, as is the class's number. Up to EaSize it is laid out as
// FILE_FULL_DIR_INFO.
constexpr auto kFileIdExtdDirectoryInfo = static_cast<FILE_INFO_BY_HANDLE_CLASS>(19);
struct ExtendedDirectoryRecord {
  ULONG NextEntryOffset;
  ULONG FileIndex;
  LARGE_INTEGER CreationTime;
  LARGE_INTEGER LastAccessTime;
  LARGE_INTEGER LastWriteTime;
  LARGE_INTEGER ChangeTime;
  LARGE_INTEGER EndOfFile;
  LARGE_INTEGER AllocationSize;
  ULONG FileAttributes;
  ULONG FileNameLength;
  ULONG EaSize;
  ULONG ReparsePointTag;
  BYTE FileId[16];
  WCHAR FileName[1];
};

// One call reads this much of a folder: about 600 entries of usual names, where
// FindNextFileW hands over one entry per call.
constexpr DWORD kListingBufferBytes = 64 * 1024;

// Set once the system has answered that it does not know FileIdExtdDirectoryInfo
// at all, so that no later folder asks again. A file system that lacks it (FAT,
// some network shares) answers ERROR_INVALID_PARAMETER and falls back for its own
// folders only. Wine 8 implements only FileFullDirectoryInfo and
// FileIdBothDirectoryInfo among the folder classes and answers the same
// ERROR_INVALID_PARAMETER, from kernelbase before any system call: there every
// folder is read with FileFullDirectoryInfo after one cheap refusal.
std::atomic<bool> extendedClassMissing{false};

template <class Record>
void appendRecords(const BYTE* buffer, std::vector<FindData>& batch) {
  for (std::size_t offset = 0;;) {
    const auto* record = reinterpret_cast<const Record*>(buffer + offset);
    FindData& data = batch.emplace_back();
    data.name =
        win32::narrowName(std::wstring_view(record->FileName, record->FileNameLength / sizeof(WCHAR)));
    data.attributes = record->FileAttributes;
    data.size = static_cast<std::uint64_t>(record->EndOfFile.QuadPart);
    data.lastWriteTime = static_cast<std::uint64_t>(record->LastWriteTime.QuadPart);
    if (record->NextEntryOffset == 0) return;
    offset += record->NextEntryOffset;
  }
}

// A folder handle read with GetFileInformationByHandleEx, its first batch read
// when it opens so that a folder that cannot be listed fails at once, as
// FindFirstFileW does.
class Win32FolderListing final : public FolderListingHandle {
 public:
  explicit Win32FolderListing(HANDLE folder) : folder_(folder), buffer_(kListingBufferBytes) {}
  ~Win32FolderListing() override { CloseHandle(folder_); }
  Win32FolderListing(const Win32FolderListing&) = delete;
  Win32FolderListing& operator=(const Win32FolderListing&) = delete;

  // Reads the first batch; the error when there is none.
  FileError start() {
    if (readBatch(pending_)) return FileError::none;
    // An empty root (no "." or ".." either) finds nothing, as a search finds nothing.
    return error_ == ERROR_NO_MORE_FILES ? FileError::fileNotFound : fileErrorFrom(error_);
  }

  bool nextBatch(std::vector<FindData>& batch) override {
    if (!pending_.empty()) {
      batch.swap(pending_);
      pending_.clear();
      return true;
    }
    return readBatch(batch);
  }

 private:
  bool readBatch(std::vector<FindData>& batch) {
    CriticalErrorDialogsOff quiet;
    if (extended_ && !extendedClassMissing.load(std::memory_order_relaxed)) {
      if (GetFileInformationByHandleEx(folder_, kFileIdExtdDirectoryInfo, buffer_.data(),
                                       static_cast<DWORD>(buffer_.size()))) {
        read_ = true;
        appendRecords<ExtendedDirectoryRecord>(buffer_.data(), batch);
        return true;
      }
      const DWORD error = error_ = GetLastError();
      if (error == ERROR_NO_MORE_FILES || read_) return false;
      // Only the first call may find the class unknown; the folder is then read
      // with the class every system has, from its start.
      if (error == ERROR_INVALID_LEVEL || error == ERROR_CALL_NOT_IMPLEMENTED)
        extendedClassMissing.store(true, std::memory_order_relaxed);
      else if (error != ERROR_INVALID_PARAMETER && error != ERROR_NOT_SUPPORTED)
        return false;
      extended_ = false;
    }
    if (!GetFileInformationByHandleEx(folder_, FileFullDirectoryInfo, buffer_.data(),
                                      static_cast<DWORD>(buffer_.size()))) {
      error_ = GetLastError();
      return false;
    }
    read_ = true;
    appendRecords<FILE_FULL_DIR_INFO>(buffer_.data(), batch);
    return true;
  }

  HANDLE folder_;
  std::vector<BYTE> buffer_;
  std::vector<FindData> pending_;
  bool extended_ = true;
  bool read_ = false;  // Whether a batch has been read: the class is settled then.
  DWORD error_ = ERROR_SUCCESS;
};

}  // namespace

FolderListing Win32FileSystem::listFolder(std::string_view path) {
  std::optional<std::string> extended = extendedLengthPath(path);
  if (!extended) return FolderListing(FileError::relativePath);
  const std::wstring wide = win32::widenName(*extended);

  HANDLE folder;
  DWORD error;
  {
    CriticalErrorDialogsOff quiet;
    // Backup semantics open a folder; a link on the way is followed, as a search of
    // the folder follows it (the walk never lists a link's own entry).
    folder =
        CreateFileW(wide.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    error = GetLastError();
  }
  if (folder == INVALID_HANDLE_VALUE) return FolderListing(fileErrorFrom(error));
  auto listing = std::make_unique<Win32FolderListing>(folder);
  if (const FileError why = listing->start(); why != FileError::none) return FolderListing(why);
  return FolderListing(std::move(listing));
}

FileAttributes Win32FileSystem::getFileAttributes(std::string_view path) {
  std::optional<std::string> extended = extendedLengthPath(path);
  if (!extended) return {0, FileError::relativePath};
  const std::wstring wide = win32::widenName(*extended);

  CriticalErrorDialogsOff quiet;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return {0, fileErrorFrom(GetLastError())};
  return {attributes, FileError::none};
}

FileSize Win32FileSystem::exclusiveFileSize(std::string_view path) {
  std::optional<std::string> extended = extendedLengthPath(path);
  if (!extended) return {0, FileError::relativePath};
  const std::wstring wide = win32::widenName(*extended);

  CriticalErrorDialogsOff quiet;
  HANDLE file =
      CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {0, fileErrorFrom(GetLastError())};
  // The file's end as a 64-bit figure: what moving the file pointer to the end
  // (SetFilePointer with FILE_END) gives, without its 4 GiB limit.
  LARGE_INTEGER size{};
  const bool measured = GetFileSizeEx(file, &size) != 0;
  const DWORD error = GetLastError();
  CloseHandle(file);
  if (!measured) return {0, fileErrorFrom(error)};
  return {static_cast<std::uint64_t>(size.QuadPart), FileError::none};
}

namespace {

// DeleteFile made safe (see FileSystem::deleteFile), or with andDelete false only
// its checks, so that a file sent elsewhere is refused as a deletion refuses it.
FileStatus deleteChecked(std::string_view path, bool andDelete) {
  std::optional<std::string> extended = extendedLengthPath(path);
  if (!extended) return {FileError::relativePath};
  const std::wstring wide = win32::widenName(*extended);

  CriticalErrorDialogsOff quiet;
  // Opened as DeleteFileW opens, with the share modes it allows, so a file another
  // program holds without sharing fails here with a sharing violation. A link at
  // the end is opened as itself; a folder fails (no backup semantics), as
  // DeleteFileW fails for one.
  HANDLE file = CreateFileW(wide.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {fileErrorFrom(GetLastError())};
  HandleCloser closer(file);

  // Wine 8 opens what a symbolic link names even with FILE_FLAG_OPEN_REPARSE_POINT
  // and reports no reparse tag; there the final path, which is the target's, is
  // what refuses the file.
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!GetFileInformationByHandleEx(file, FileAttributeTagInfo, &tag, sizeof tag))
    return {fileErrorFrom(GetLastError())};
  if ((tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return {FileError::accessDenied};
  if ((tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return {FileError::redirected};
  // FILE_FLAG_OPEN_REPARSE_POINT applies to the last name only: a folder on the way
  // that was replaced by a junction after the scan is followed, and the final path
  // then names the junction's target.
  if (!finalPathIs(file, wide)) return {FileError::redirected};
  // Deletion on the handle refuses a read-only file by itself; the check alone says so.
  if ((tag.FileAttributes & FILE_ATTRIBUTE_READONLY) != 0) return {FileError::accessDenied};
  if (!andDelete) return {};

  FILE_DISPOSITION_INFO disposition{TRUE};
  if (!SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition))
    return {fileErrorFrom(GetLastError())};
  return {};
}

}  // namespace

FileStatus Win32FileSystem::deleteFile(std::string_view path) { return deleteChecked(path, true); }

FileStatus Win32FileSystem::checkDeletable(std::string_view path) { return deleteChecked(path, false); }

FileIdentity Win32FileSystem::fileIdentity(std::string_view path) {
  std::optional<std::string> extended = extendedLengthPath(path);
  if (!extended) return FileIdentity::failed(FileError::relativePath);
  const std::wstring wide = win32::widenName(*extended);

  CriticalErrorDialogsOff quiet;
  HANDLE file =
      CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FileIdentity::failed(fileErrorFrom(GetLastError()));
  HandleCloser closer(file);
  // Wine 8 gives every volume the serial 0; the file number (the Linux inode) still
  // tells folders apart across the drive letters that map into one Linux file system.
  BY_HANDLE_FILE_INFORMATION information;
  if (!GetFileInformationByHandle(file, &information))
    return FileIdentity::failed(fileErrorFrom(GetLastError()));
  FileIdentity identity;
  identity.volumeSerial = information.dwVolumeSerialNumber;
  identity.fileIndex = joined(information.nFileIndexHigh, information.nFileIndexLow);
  if (std::optional<std::wstring> final = finalPathOf(file)) {
    std::wstring_view text = *final;
    if (text.starts_with(L"\\\\?\\UNC\\")) {
      identity.finalPath = "\\\\" + win32::narrowName(text.substr(8));
    } else {
      if (text.starts_with(L"\\\\?\\")) text.remove_prefix(4);
      identity.finalPath = win32::narrowName(text);
    }
  }
  return identity;
}

bool Win32FileSystem::equalIgnoringCase(std::string_view a, std::string_view b) {
  // Walks compare every folder they enter with every exclusion, so most calls are
  // answered here without converting either text: while both hold ASCII, each
  // byte is one UTF-16 unit that the uppercase table maps as A-Z map to a-z, and
  // the answer is the one CompareStringOrdinal would give. Only from the first
  // byte outside ASCII on does the call go to Windows.
  const std::size_t common = std::min(a.size(), b.size());
  std::size_t i = 0;
  for (; i < common; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x >= 0x80 || y >= 0x80) break;
    if (asciiUpper(x) != asciiUpper(y)) return false;
  }
  // One text ended within ASCII while the other goes on: whatever follows is at
  // least one more unit, so the lengths differ.
  if (i == common) return a.size() == b.size();
  return equalNames(win32::widenName(a.substr(i)), win32::widenName(b.substr(i)));
}

FileStatus Win32FileSystem::createDirectory(std::string_view path) {
  std::optional<std::string> extended = extendedLengthPath(path);
  if (!extended) return {FileError::relativePath};
  const std::wstring wide = win32::widenName(*extended);

  CriticalErrorDialogsOff quiet;
  if (!CreateDirectoryW(wide.c_str(), nullptr)) return {fileErrorFrom(GetLastError())};
  return {};
}

std::optional<DosDateTime> Win32FileSystem::localDosDateTime(std::uint64_t fileTime) {
  FILETIME utc{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
  FILETIME local;
  if (!FileTimeToLocalFileTime(&utc, &local)) return std::nullopt;
  // Windows refuses times outside 1980-2107, which the DOS format cannot hold.
  // Wine 8 refuses only the early ones and wraps the late ones into a wrong year,
  // so the year is checked here, to answer as Windows does on both.
  SYSTEMTIME fields;
  if (!FileTimeToSystemTime(&local, &fields) || fields.wYear < 1980 || fields.wYear > 2107)
    return std::nullopt;
  WORD date = 0;
  WORD time = 0;
  if (!FileTimeToDosDateTime(&local, &date, &time)) return std::nullopt;
  return DosDateTime{date, time};
}

}  // namespace velmora::platform
