#include "platform/win32/file_system_win32.h"

#include <windows.h>

#include "platform/extended_path.h"
#include "platform/win32/critical_error_mode.h"
#include "platform/win32/wide.h"

namespace velmora::platform {
namespace {

using win32::CriticalErrorDialogsOff;

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
  data.name = win32::narrow(raw.cFileName);
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

}  // namespace

FileSearch Win32FileSystem::findFirstFile(std::string_view pattern, FindData& data) {
  std::optional<std::string> extended = extendedLengthPath(pattern);
  if (!extended) return FileSearch(FileError::relativePath);
  const std::wstring wide = win32::widen(*extended);

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

FileAttributes Win32FileSystem::getFileAttributes(std::string_view path) {
  std::optional<std::string> extended = extendedLengthPath(path);
  if (!extended) return {0, FileError::relativePath};
  const std::wstring wide = win32::widen(*extended);

  CriticalErrorDialogsOff quiet;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return {0, fileErrorFrom(GetLastError())};
  return {attributes, FileError::none};
}

FileSize Win32FileSystem::exclusiveFileSize(std::string_view path) {
  std::optional<std::string> extended = extendedLengthPath(path);
  if (!extended) return {0, FileError::relativePath};
  const std::wstring wide = win32::widen(*extended);

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

FileStatus Win32FileSystem::deleteFile(std::string_view path) {
  std::optional<std::string> extended = extendedLengthPath(path);
  if (!extended) return {FileError::relativePath};
  const std::wstring wide = win32::widen(*extended);

  CriticalErrorDialogsOff quiet;
  if (!DeleteFileW(wide.c_str())) return {fileErrorFrom(GetLastError())};
  return {};
}

FileStatus Win32FileSystem::createDirectory(std::string_view path) {
  std::optional<std::string> extended = extendedLengthPath(path);
  if (!extended) return {FileError::relativePath};
  const std::wstring wide = win32::widen(*extended);

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
