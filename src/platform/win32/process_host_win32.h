#pragma once

#include "platform/process_host.h"

namespace velmora::platform {

// The process's command line, its starter's output and console, named mutexes and
// the local time, over the Win32 functions the interface names. UI thread only.
class Win32ProcessHost final : public ProcessHost {
 public:
  ~Win32ProcessHost() override;

  std::vector<std::string> arguments() const override;
  bool writeToStarter(std::string_view utf8) override;
  std::unique_ptr<HeldLock> tryLock(std::string_view name) override;
  LocalTime localTime() const override;
  std::chrono::milliseconds tickCount() const override;
  void showNoErrorBoxes(int abortExitCode) override;

 private:
  // The parent's console output once attached (a HANDLE); null before, and
  // invalid when there is none.
  void* console_ = nullptr;
  bool consoleTried_ = false;
};

}  // namespace velmora::platform
