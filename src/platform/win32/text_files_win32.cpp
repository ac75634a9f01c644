#include "platform/win32/text_files_win32.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <string>

#include "platform/extended_path.h"
#include "platform/win32/critical_error_mode.h"
#include "platform/win32/final_path.h"
#include "platform/win32/wide.h"

namespace velmora::platform {
namespace {

using win32::CriticalErrorDialogsOff;

// The largest piece handed to one ReadFile or WriteFile call, whose counts are 32-bit.
constexpr DWORD kPiece = DWORD{1} << 20;

std::optional<std::wstring> windowsPath(std::string_view path) {
  std::optional<std::string> extended = extendedLengthPath(path);
  if (!extended) return std::nullopt;
  return win32::widen(*extended);
}

// Closes a file handle when it goes.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  // Closes now, reporting whether the close succeeded: on a network drive the last
  // buffered write can fail only here.
  bool close() {
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

// Writes all of bytes at the file's current position.
bool writeAll(HANDLE file, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kPiece));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, wanted, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

}  // namespace

FileContents Win32TextFiles::readAtMost(std::string_view path, std::size_t maxSize) const {
  const std::optional<std::wstring> wide = windowsPath(path);
  if (!wide) return {ReadStatus::failed, {}};

  CriticalErrorDialogsOff quiet;
  // Reading shares the file with a program that has it open for reading or writing,
  // as the Windows profile functions do.
  FileHandle file(CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? ReadStatus::notFound : ReadStatus::failed, {}};
  }

  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || static_cast<unsigned long long>(size.QuadPart) > maxSize) {
    return {ReadStatus::failed, {}};
  }
  std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < data.size()) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, kPiece));
    DWORD got = 0;
    if (!ReadFile(file.get(), data.data() + done, wanted, &got, nullptr)) return {ReadStatus::failed, {}};
    // The file shrank while it was read: what was read is what there is.
    if (got == 0) break;
    done += got;
  }
  data.resize(done);
  return {ReadStatus::ok, std::move(data)};
}

bool Win32TextFiles::appendBytes(std::string_view path, std::string_view bytes) {
  const std::optional<std::wstring> wide = windowsPath(path);
  if (!wide) return false;
  CriticalErrorDialogsOff quiet;
  FileHandle file(CreateFileW(wide->c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() && writeAll(file.get(), bytes) && file.close();
}

bool Win32TextFiles::writeBytes(std::string_view path, std::string_view bytes) {
  const std::optional<std::wstring> wide = windowsPath(path);
  if (!wide) return false;

  CriticalErrorDialogsOff quiet;
  // The new file takes over the attributes a user may have given the old one
  // (hidden, system). A read-only file is refused, as writing it in place would be.
  DWORD attributes = GetFileAttributesW(wide->c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    attributes = FILE_ATTRIBUTE_NORMAL;
  } else if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
    return false;
  } else {
    attributes &= FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
  }

  // The bytes go to a new file beside the old one, on the same volume, so that
  // putting it in place is one rename. Its name is the file's own with a suffix no
  // other writer uses.
  static std::atomic<unsigned> writes{0};
  const std::wstring temporary =
      *wide + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++writes) + L".new";
  bool written = false;
  {
    FileHandle file(
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
    if (!file.valid()) return false;
    written = writeAll(file.get(), bytes) && FlushFileBuffers(file.get()) && file.close();
  }
  // One replace: whoever opens the file sees either the old bytes or the new ones.
  // A file another program has open cannot be replaced; a virus scanner or an
  // indexer holds one for a moment, so the replace is tried a few times before
  // the write fails, leaving the old file.
  for (DWORD wait = 50; written; wait *= 2) {
    if (MoveFileExW(temporary.c_str(), wide->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || wait > 400) break;
    Sleep(wait);
  }
  DeleteFileW(temporary.c_str());
  return false;
}

namespace {

// Takes an open file away through its handle (it goes when the handle closes).
void deleteOnClose(HANDLE file) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

}  // namespace

NewFile Win32TextFiles::createNew(std::string_view path, std::string_view bytes, bool onlyAtPath) {
  const std::optional<std::wstring> wide = windowsPath(path);
  if (!wide) return NewFile::failed;

  CriticalErrorDialogsOff quiet;
  // CREATE_NEW fails for any entry of that name, a link included: with
  // FILE_FLAG_OPEN_REPARSE_POINT a link at the name is never followed to make a
  // file where it points. The flag covers the last name only; a link among the
  // folders on the way is followed, which the final path then shows.
  FileHandle file(CreateFileW(wide->c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? NewFile::exists : NewFile::failed;
  }
  if (onlyAtPath && !win32::finalPathIs(file.get(), *wide)) {
    deleteOnClose(file.get());
    return NewFile::redirected;
  }
  if (!writeAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
    deleteOnClose(file.get());
    return NewFile::failed;
  }
  // On a network drive the last buffered write can fail only at the close: the
  // file is then incomplete, and goes.
  if (!file.close()) {
    DeleteFileW(wide->c_str());
    return NewFile::failed;
  }
  return NewFile::written;
}

bool Win32TextFiles::createIfMissing(std::string_view path) {
  const std::optional<std::wstring> wide = windowsPath(path);
  if (!wide) return false;

  CriticalErrorDialogsOff quiet;
  // Read access is enough to create the file, and lets an existing read-only file
  // count as present.
  FileHandle file(CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid();
}

}  // namespace velmora::platform
