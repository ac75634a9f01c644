// Real files for the text-file cases: a scratch folder, created empty for each case
// and removed with everything in it afterwards.
#include <windows.h>

#include <stdexcept>
#include <vector>

#include "file_system_scratch_win32.h"
#include "platform/win32/text_encoding_win32.h"
#include "platform/win32/text_files_win32.h"
#include "platform/win32/wide.h"
#include "text_files_world.h"

namespace velmora::contract {
namespace {

using platform::win32::widen;

class Win32TextFilesWorld final : public TextFilesWorld {
 public:
  ~Win32TextFilesWorld() override {
    for (HANDLE handle : held_) CloseHandle(handle);
  }

  platform::TextFiles& files() override { return files_; }
  const platform::TextEncoding& encoding() override { return encoding_; }

  std::string path(std::string_view name) override { return scratch_.path() + std::string(name); }
  std::string pathInMissingFolder(std::string_view name) override {
    return scratch_.path() + "missing\\" + std::string(name);
  }

  void plant(const std::string& path, std::string_view bytes) override {
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot plant " + path);
    DWORD written = 0;
    const bool ok =
        bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size()) throw std::runtime_error("cannot plant " + path);
  }

  std::optional<std::string> stored(const std::string& path) override {
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    const bool ok =
        bytes.empty() || ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    if (!ok) return std::nullopt;
    bytes.resize(read);
    return bytes;
  }

  void holdOpenForReading(const std::string& path) override { hold(path, GENERIC_READ, FILE_SHARE_READ); }

  void holdOpenExclusively(const std::string& path) override { hold(path, GENERIC_READ | GENERIC_WRITE, 0); }

 private:
  void hold(const std::string& path, DWORD access, DWORD sharing) {
    HANDLE file = CreateFileW(widen(path).c_str(), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot hold " + path + " open");
    held_.push_back(file);
  }

  ScratchFolder scratch_;
  std::vector<HANDLE> held_;
  platform::Win32TextEncoding encoding_;
  platform::Win32TextFiles files_{encoding_};
};

}  // namespace

std::unique_ptr<TextFilesWorld> makeTextFilesWorld() { return std::make_unique<Win32TextFilesWorld>(); }

}  // namespace velmora::contract
