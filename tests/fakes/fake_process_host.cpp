#include "fakes/fake_process_host.h"

namespace velmora::fakes {
namespace {

class FakeLock final : public platform::HeldLock {
 public:
  FakeLock(std::set<std::string, std::less<>>& held, std::string name)
      : held_(held), name_(std::move(name)) {}
  ~FakeLock() override { held_.erase(name_); }

 private:
  std::set<std::string, std::less<>>& held_;
  std::string name_;
};

}  // namespace

bool FakeProcessHost::writeToStarter(std::string_view utf8) {
  if (!hasConsole) return false;
  console.append(utf8);
  return true;
}

std::unique_ptr<platform::HeldLock> FakeProcessHost::tryLock(std::string_view name) {
  if (heldElsewhere.contains(name) || !held_.emplace(name).second) return nullptr;
  return std::make_unique<FakeLock>(held_, std::string(name));
}

}  // namespace velmora::fakes
