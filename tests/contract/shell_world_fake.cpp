#include "fakes/fake_shell.h"
#include "shell_world.h"

namespace velmora::contract {
namespace {

// The contract's ground for the scripted shell: what the Win32 world makes on disk
// is told to the fake instead.
class FakeWorld final : public ShellWorld {
 public:
  FakeWorld() { shell_.addProgram(startableProgram()); }

  platform::Shell& shell() override { return shell_; }
  std::string folder() const override { return "C:\\velmora-contract\\"; }
  std::string makeDocument(const std::string& name) override {
    shell_.addDocument(folder() + name);
    return folder() + name;
  }
  void makeJunkFile(const std::string&) override {}
  void makeShortcut(const std::string& shortcutPath, const std::string& target) override {
    shell_.addShortcut(shortcutPath, target);
  }
  std::string startableProgram() const override { return "C:\\windows\\system32\\cmd.exe"; }
  std::string quickExitArgument() const override { return "/c exit"; }
  std::string makeProgram(const std::string& name) override {
    shell_.addProgram(folder() + name);
    return folder() + name;
  }
  bool ran(const std::string& program) override {
    for (const auto& started : shell_.started())
      if (started.program == program) return true;
    return false;
  }

 private:
  fakes::FakeShell shell_;
};

}  // namespace

std::unique_ptr<ShellWorld> makeShellWorld() { return std::make_unique<FakeWorld>(); }

}  // namespace velmora::contract
