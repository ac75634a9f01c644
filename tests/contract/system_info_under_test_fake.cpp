#include "fakes/fake_system_info.h"
#include "system_info_under_test.h"

namespace velmora::contract {

std::unique_ptr<platform::SystemInfo> makeSystemInfo() { return std::make_unique<fakes::FakeSystemInfo>(); }

}  // namespace velmora::contract
