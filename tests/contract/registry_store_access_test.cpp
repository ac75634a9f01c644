// Keys whose permissions refuse full access, against the fake only: Wine does not
// enforce registry permissions, so these cases can't run against the real registry
// of a test prefix. What they expect is what Windows answers for a key the user may
// read but not change.
#include <gtest/gtest.h>

#include "fakes/fake_registry_store.h"

namespace velmora::fakes {
namespace {

using namespace platform;

class RegistryStoreAccess : public ::testing::Test {
 protected:
  void SetUp() override {
    RegKey key{};
    ASSERT_EQ(store.createKey(HKEY_LOCAL_MACHINE, "Software\\Locked\\Inner", REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, key, nullptr),
              ERROR_SUCCESS);
    store.closeKey(key);
    ASSERT_TRUE(store.refuseFullAccess(HKEY_LOCAL_MACHINE, "Software\\Locked"));
  }

  FakeRegistryStore store;
};

TEST_F(RegistryStoreAccess, RefusedKeyOpensForReadingOnly) {
  RegKey key{};
  EXPECT_EQ(store.openKey(HKEY_LOCAL_MACHINE, "Software\\Locked", KEY_ALL_ACCESS, key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(store.openKey(HKEY_LOCAL_MACHINE, "Software\\Locked", KEY_SET_VALUE, key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(store.createKey(HKEY_LOCAL_MACHINE, "Software\\Locked", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            key, nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(store.openHandleCount(), 0u);

  ASSERT_EQ(store.openKey(HKEY_LOCAL_MACHINE, "software\\LOCKED", KEY_READ, key), ERROR_SUCCESS);
  std::string name;
  EXPECT_EQ(store.enumKey(key, 0, name), ERROR_SUCCESS);
  EXPECT_EQ(name, "Inner");
  store.closeKey(key);
}

TEST_F(RegistryStoreAccess, RefusedKeyCannotBeChanged) {
  RegKey key{};
  EXPECT_EQ(store.createKey(HKEY_LOCAL_MACHINE, "Software\\Locked\\New", REG_OPTION_NON_VOLATILE, KEY_READ,
                            key, nullptr),
            ERROR_ACCESS_DENIED);
  ASSERT_EQ(store.deleteKey(HKEY_LOCAL_MACHINE, "Software\\Locked\\Inner"), ERROR_SUCCESS)
      << "the subkey itself is not refused";
  EXPECT_EQ(store.deleteKey(HKEY_LOCAL_MACHINE, "Software\\Locked"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(store.openKey(HKEY_LOCAL_MACHINE, "Software\\Locked", KEY_READ, key), ERROR_SUCCESS);
  store.closeKey(key);
}

TEST_F(RegistryStoreAccess, OnlyAnExistingKeyCanBeRefused) {
  EXPECT_FALSE(store.refuseFullAccess(HKEY_LOCAL_MACHINE, "Software\\Missing"));
  RegKey key{};
  EXPECT_EQ(store.openKey(HKEY_LOCAL_MACHINE, "Software\\Missing", KEY_READ, key), ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace velmora::fakes
