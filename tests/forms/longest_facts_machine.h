#pragma once

#include <memory>

namespace velmora::fakes {
struct FakeServices;
}
namespace velmora::platform {
struct Services;
}

namespace velmora::forms::testing {

// A fake machine whose facts are the longest of their kinds, for checking that
// the Free Memory and System Information windows have room for them: 1 TiB of
// memory, all of it free, a long processor name, a 24-bit display and a long
// user name. Its header leaves out the registry's names, which clash with
// <windows.h>.
class LongestFactsMachine {
 public:
  LongestFactsMachine();
  ~LongestFactsMachine();

  platform::Services& services();

 private:
  std::unique_ptr<fakes::FakeServices> machine_;
};

}  // namespace velmora::forms::testing
