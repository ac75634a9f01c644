#include "longest_facts_machine.h"

#include "fakes/fake_services.h"
#include "registry/registry_object.h"

namespace velmora::forms::testing {

LongestFactsMachine::LongestFactsMachine() : machine_(std::make_unique<fakes::FakeServices>()) {
  fakes::FakeServices& machine = *machine_;
  machine.memory.setStatus({0, std::uint64_t{1} << 40, std::uint64_t{1} << 40});
  machine.system.user = "twenty-characters-xy";
  machine.system.bitsPerPixel = 24;
  machine.system.screen = {1920, 1080};
  machine.system.os = platform::OsVersion{10, 0, 22631, 2, ""};
  registry::TRegistry reg(machine.registry);
  reg.SetRoot(platform::HKEY_LOCAL_MACHINE);
  reg.Open("HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", true);
  reg.WriteText("ProcessorNameString", "Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz");
  reg.WriteNumber("~MHz", 2112);
  reg.WriteText("Identifier", "Intel64 Family 6 Model 142 Stepping 10");
  reg.Open("\\HARDWARE\\DESCRIPTION\\System\\BIOS", true);
  reg.WriteText("BIOSReleaseDate", "11/02/2023");
}

LongestFactsMachine::~LongestFactsMachine() = default;

platform::Services& LongestFactsMachine::services() { return machine_->services; }

}  // namespace velmora::forms::testing
