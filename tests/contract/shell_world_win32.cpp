#include <windows.h>

#include <chrono>
#include <stdexcept>

#include "file_system_scratch_win32.h"
#include "marker_program_support.h"
#include "platform/win32/shell_win32.h"
#include "shell_world.h"
#include "shortcut_file_win32.h"

namespace velmora::contract {
namespace {

void writeFile(const std::string& path, const std::string& contents) {
  HANDLE file = CreateFileW(extendedForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
  DWORD written = 0;
  WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
  CloseHandle(file);
}

// The contract's ground on Windows (and under Wine): the Win32 shell, a throwaway
// folder on drive C:, shortcuts saved through the shell link object, and cmd.exe.
class Win32World final : public ShellWorld {
 public:
  platform::Shell& shell() override { return shell_; }
  std::string folder() const override { return scratch_.path(); }

  // A batch file that ends at once: its default verb runs it.
  std::string makeDocument(const std::string& name) override {
    writeFile(folder() + name, "@exit\r\n");
    return folder() + name;
  }

  void makeJunkFile(const std::string& path) override { writeFile(path, "this is not a shortcut"); }

  void makeShortcut(const std::string& shortcutPath, const std::string& target) override {
    contract::makeShortcut(shortcutPath, target);
  }

  std::string startableProgram() const override {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    return utf8(system) + "\\cmd.exe";
  }
  std::string quickExitArgument() const override { return "/c exit"; }

  std::string makeProgram(const std::string& name) override {
    if (!test_support::placeMarkerProgram(utf16(folder() + name)))
      throw std::runtime_error("cannot place a program at " + name);
    return folder() + name;
  }
  bool ran(const std::string& program) override {
    return test_support::markerOf(utf16(program), std::chrono::seconds(10)).has_value();
  }

 private:
  ScratchFolder scratch_;
  platform::Win32Shell shell_;
};

}  // namespace

std::unique_ptr<ShellWorld> makeShellWorld() { return std::make_unique<Win32World>(); }

}  // namespace velmora::contract
