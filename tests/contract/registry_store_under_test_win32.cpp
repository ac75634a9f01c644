#include "contract/registry_store_scratch.h"
#include "platform/win32/registry_store_win32.h"

namespace velmora::test_support {

std::unique_ptr<platform::RegistryStore> makeRegistryStoreUnderTest() {
  return std::make_unique<platform::win32::RegistryStoreWin32>();
}

}  // namespace velmora::test_support
