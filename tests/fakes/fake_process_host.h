#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/process_host.h"

namespace velmora::fakes {

// A scripted process: the arguments a test gives, a console that keeps what is
// written to it (or none), named locks held within the fake and by "other
// processes" a test names, and a fixed local time.
class FakeProcessHost final : public platform::ProcessHost {
 public:
  std::vector<std::string> arguments() const override { return args; }
  bool writeToStarter(std::string_view utf8) override;
  std::unique_ptr<platform::HeldLock> tryLock(std::string_view name) override;
  platform::LocalTime localTime() const override { return now; }

  std::vector<std::string> args;
  bool hasConsole = true;
  std::string console;
  // Locks another process holds.
  std::set<std::string, std::less<>> heldElsewhere;
  platform::LocalTime now{2026, 3, 4, 5, 6, 7};

 private:
  std::set<std::string, std::less<>> held_;
};

}  // namespace velmora::fakes
