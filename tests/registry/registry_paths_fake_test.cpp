// The registry path functions against the in-memory fake, for what only the fake can
// show: calls that must not reach the store at all, handles left open, and roots
// other than HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_registry_store.h"
#include "registry/registry_path_functions.h"

namespace velmora::registry {
namespace {

using namespace platform;
using fakes::FakeRegistryStore;
using Names = std::vector<std::string>;

// Reads the text of a value straight from the store: "<missing>" when absent.
std::string storedText(FakeRegistryStore& store, RegKey root, const std::string& key,
                       const std::string& name) {
  RegKey opened{};
  if (store.openKey(root, key, KEY_READ, opened) != ERROR_SUCCESS) return "<missing>";
  char buffer[64] = {};
  std::uint32_t size = sizeof buffer - 1;
  const RegStatus status =
      store.queryValue(opened, name, nullptr, reinterpret_cast<std::uint8_t*>(buffer), &size);
  store.closeKey(opened);
  return status == ERROR_SUCCESS ? std::string(buffer) : "<missing>";
}

TEST(RegistryPathsFake, UnrecognisedRootGivesTheFailureValuesWithoutReachingTheStore) {
  FakeRegistryStore store;
  Names list{"kept"};
  for (const std::string path : {"XYZ\\Software\\Value", "", "HK", "HKEY_CURRENT_USER\\Software\\Value"}) {
    EXPECT_EQ(RegReadString(store, path, "default"), "default");
    EXPECT_FALSE(RegWriteString(store, path, "x"));
    EXPECT_FALSE(RegWriteInt(store, path, 1));
    EXPECT_FALSE(RegWriteBool(store, path, true));
    EXPECT_EQ(RegReadInt(store, path, 5), 5);
    EXPECT_TRUE(RegReadBool(store, path, true));
    EXPECT_FALSE(RegValueExists(store, path));
    EXPECT_FALSE(RegDeleteValue(store, path));
    EXPECT_EQ(RegGetDataType(store, path), RegValueKind::Unknown);
    EXPECT_FALSE(RegGetKeyNames(store, path, list));
    EXPECT_FALSE(RegGetValueNames(store, path, list));
  }
  EXPECT_EQ(store.callCount(), 0u);
  EXPECT_EQ(list, Names{"kept"});
}

TEST(RegistryPathsFake, EveryCallReleasesItsKey) {
  FakeRegistryStore store;
  const std::string path = "HKCU\\Software\\Vendor\\Value";
  Names list;
  RegWriteString(store, path, "x");
  RegReadString(store, path, "");
  RegReadInt(store, path, 0);
  RegValueExists(store, path);
  RegGetKeyNames(store, "HKCU\\Software\\", list);
  RegDeleteValue(store, path);
  EXPECT_EQ(store.openHandleCount(), 0u);
}

TEST(RegistryPathsFake, PathsReachTheirRootKeyAndValue) {
  FakeRegistryStore store;
  ASSERT_TRUE(RegWriteString(store, "HKLM\\Software\\Vendor\\App\\Version", "1.0"));
  EXPECT_EQ(storedText(store, HKEY_LOCAL_MACHINE, "Software\\Vendor\\App", "Version"), "1.0");

  ASSERT_TRUE(RegWriteString(store, "hkcu\\Software\\Vendor\\", "default"));
  EXPECT_EQ(storedText(store, HKEY_CURRENT_USER, "Software\\Vendor", ""), "default");

  ASSERT_TRUE(RegWriteString(store, "HKCU\\Name", "at the root"));
  EXPECT_EQ(storedText(store, HKEY_CURRENT_USER, "", "Name"), "at the root");
  ASSERT_TRUE(RegWriteString(store, "HKCU", "root default"));
  EXPECT_EQ(storedText(store, HKEY_CURRENT_USER, "", ""), "root default");

  ASSERT_TRUE(RegWriteString(store, "HKU\\S-1-5-18\\Environment\\TEMP", "C:\\Temp"));
  EXPECT_EQ(storedText(store, HKEY_USERS, "S-1-5-18\\Environment", "TEMP"), "C:\\Temp");

  // HKLMX still selects HKEY_LOCAL_MACHINE: no separator has to follow the name.
  ASSERT_TRUE(RegWriteString(store, "HKLMX\\Key\\Value", "x"));
  EXPECT_EQ(storedText(store, HKEY_LOCAL_MACHINE, "Key", "Value"), "x");
}

TEST(RegistryPathsFake, KeyRefusingFullAccessCanNotBeListed) {
  FakeRegistryStore store;
  ASSERT_TRUE(RegWriteString(store, "HKLM\\Software\\Locked\\Inner\\Value", "x"));
  ASSERT_TRUE(store.refuseFullAccess(HKEY_LOCAL_MACHINE, "Software\\Locked"));
  Names list{"left over"};
  EXPECT_TRUE(RegGetKeyNames(store, "HKLM\\Software\\Locked\\", list));
  EXPECT_TRUE(list.empty());
  EXPECT_FALSE(RegWriteString(store, "HKLM\\Software\\Locked\\Value", "x"));
}

}  // namespace
}  // namespace velmora::registry
