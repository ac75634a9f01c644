#include <windows.h>

#include <stdexcept>

#include "file_system_scratch_win32.h"
#include "file_system_world.h"
#include "platform/win32/file_system_win32.h"

namespace velmora::contract {
namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path) {
  throw std::runtime_error(what + " " + path + ": error " + std::to_string(GetLastError()));
}

// The contract's ground on Windows (and under Wine): the Win32 implementation and a
// throwaway folder on drive C:, arranged with direct Win32 calls.
class Win32World final : public FileSystemWorld {
 public:
  platform::FileSystem& files() override { return files_; }
  std::string folder() const override { return scratch_.path(); }

  std::string missingDriveRoot() const override {
    const DWORD present = GetLogicalDrives();
    for (char letter = 'Z'; letter >= 'D'; --letter)
      if ((present & (1u << (letter - 'A'))) == 0) return std::string(1, letter) + ":\\";
    throw std::runtime_error("every drive letter is taken");
  }

  void makeFolder(const std::string& path) override {
    if (!CreateDirectoryW(extendedForm(path).c_str(), nullptr)) fail("cannot make folder", path);
  }

  void makeFile(const std::string& path, std::uint64_t size) override {
    HANDLE file = CreateFileW(extendedForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail("cannot make file", path);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    if (!sized) fail("cannot size file", path);
  }

  void setAttributes(const std::string& path, std::uint32_t attributes) override {
    if (!SetFileAttributesW(extendedForm(path).c_str(), attributes)) fail("cannot set attributes of", path);
  }

  void setLastWriteTime(const std::string& path, std::uint64_t fileTime) override {
    HANDLE file = CreateFileW(extendedForm(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail("cannot open", path);
    FILETIME time{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    const bool set = SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    if (!set) fail("cannot set the time of", path);
  }

  std::unique_ptr<Hold> holdOpen(const std::string& path) override {
    class Win32Hold final : public Hold {
     public:
      explicit Win32Hold(HANDLE file) : file_(file) {}
      ~Win32Hold() override { CloseHandle(file_); }

     private:
      HANDLE file_;
    };
    HANDLE file = CreateFileW(extendedForm(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail("cannot hold", path);
    return std::make_unique<Win32Hold>(file);
  }

  void makeFolderLink(const std::string& link, const std::string& target) override {
    contract::makeFolderLink(link, target);
  }

  // Wine does not enforce Windows access rights, and the tests run as root, for whom
  // Linux permissions do not stop a listing either.
  bool makeUnlistable(const std::string&) override { return false; }

  bool exists(const std::string& path) const override {
    return GetFileAttributesW(extendedForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

 private:
  ScratchFolder scratch_;
  platform::Win32FileSystem files_;
};

}  // namespace

std::unique_ptr<FileSystemWorld> makeFileSystemWorld() { return std::make_unique<Win32World>(); }

}  // namespace velmora::contract
