#pragma once

#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/process_host.h"

namespace velmora::fakes {

// A scripted process: a console that keeps what is written to it (or none), locks
// that other processes hold, a fixed local time and a clock a test moves. Its own locks are never
// released, as one run takes one.
class FakeProcessHost final : public platform::ProcessHost {
 public:
  std::vector<std::string> arguments() const override { return {}; }
  bool writeToStarter(std::string_view utf8) override {
    if (hasConsole) console.append(utf8);
    return hasConsole;
  }
  std::unique_ptr<platform::HeldLock> tryLock(std::string_view name) override {
    if (!held.emplace(name).second) return nullptr;
    return std::make_unique<platform::HeldLock>();
  }
  platform::LocalTime localTime() const override { return {2026, 3, 4, 5, 6, 7}; }
  std::chrono::milliseconds tickCount() const override {
    return clock ? clock() : std::chrono::milliseconds(0);
  }
  void showNoErrorBoxes(int) override { errorBoxesOff = true; }

  bool hasConsole = true;
  bool errorBoxesOff = false;
  std::string console;
  // What tickCount answers; the start of the system when not set.
  std::function<std::chrono::milliseconds()> clock;
  std::set<std::string, std::less<>> held;  // Names of the locks held.
};

}  // namespace velmora::fakes
