#include "platform/win32/text_files_win32.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "platform/extended_path.h"
#include "platform/win32/critical_error_mode.h"
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

bool Win32TextFiles::writeBytes(std::string_view path, std::string_view bytes) {
  const std::optional<std::wstring> wide = windowsPath(path);
  if (!wide) return false;

  CriticalErrorDialogsOff quiet;
  // OPEN_ALWAYS and an explicit truncation rather than CREATE_ALWAYS: CREATE_ALWAYS
  // refuses an existing hidden or system file, which a user may well have made of
  // the settings file, and would also drop the file's own attributes.
  FileHandle file(CreateFileW(wide->c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  if (!SetEndOfFile(file.get())) return false;

  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kPiece));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data() + done, wanted, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return file.close();
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
