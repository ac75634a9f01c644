#include "drives_world.h"
#include "fakes/fake_drives.h"

namespace velmora::contract {

std::unique_ptr<platform::Drives> makeDrives() {
  auto drives = std::make_unique<fakes::FakeDrives>();
  fakes::FakeDrive c;
  c.type = platform::DriveType::fixed;
  c.space = {20ull << 30, 100ull << 30, 25ull << 30};
  c.volume = {"System", 0x9A3C51E7u, "NTFS"};
  drives->addDrive('C', c);
  return drives;
}

}  // namespace velmora::contract
