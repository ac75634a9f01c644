#include "contract/registry_store_scratch.h"
#include "fakes/fake_registry_store.h"

namespace velmora::test_support {

std::unique_ptr<platform::RegistryStore> makeRegistryStoreUnderTest() {
  return std::make_unique<fakes::FakeRegistryStore>();
}

}  // namespace velmora::test_support
