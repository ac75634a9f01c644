#pragma once

#include "platform/shell.h"

namespace velmora::platform {

// The shell with the wide shell functions and the shell link object. COM is
// initialised and released again within each call that needs it, so every call
// can be made from any thread, the user-interface thread or a worker; a run of
// moves to the Recycle Bin keeps it on its own thread for as long as it lasts.
class Win32Shell final : public Shell {
 public:
  std::uintptr_t systemSmallImageList() override;
  std::optional<int> iconIndexOfType(std::string_view extension) override;
  std::optional<int> iconIndexOfPath(std::string_view path) override;
  std::optional<std::string> shortcutTarget(std::string_view shortcutPath) override;
  std::optional<std::string> shortcutArguments(std::string_view shortcutPath) override;
  std::optional<std::string> folderPath(int csidl) override;
  int shellExecute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                   std::string_view parameters, std::string_view directory, int showCommand) override;
  std::uint32_t createProcess(std::string_view commandLine, int showCommand) override;
  std::unique_ptr<RecycleRun> beginRecycling() override;
  std::optional<RecycleBinSpace> recycleBinSpace(std::string_view driveRoot) override;
};

}  // namespace velmora::platform
