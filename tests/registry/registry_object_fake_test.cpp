// The registry object against the in-memory fake, for what only the fake can show:
// which handles stay open, keys that refuse full access, and reads that fail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_registry_store.h"
#include "registry/registry_object.h"
#include "registry_error_text.h"

namespace velmora::registry {
namespace {

using namespace platform;
using fakes::FakeRegistryStore;

class RegistryObjectFake : public ::testing::Test {
 protected:
  void create(RegKey root, const std::string& path) {
    RegKey key{};
    ASSERT_EQ(store.createKey(root, path, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, key, nullptr),
              ERROR_SUCCESS);
    store.closeKey(key);
  }

  bool exists(RegKey root, const std::string& path) {
    RegKey key{};
    if (store.openKey(root, path, KEY_READ, key) != ERROR_SUCCESS) return false;
    store.closeKey(key);
    return true;
  }

  FakeRegistryStore store;
};

TEST_F(RegistryObjectFake, OwnsAtMostOneOpenKeyAndClosesIt) {
  create(HKEY_CURRENT_USER, "Software\\A");
  create(HKEY_CURRENT_USER, "Software\\B");
  create(HKEY_LOCAL_MACHINE, "Software\\C");
  {
    TRegistry registry(store);
    EXPECT_EQ(registry.Root(), HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.Open("Software\\A", false));
    EXPECT_EQ(store.openHandleCount(), 1u);
    ASSERT_TRUE(registry.Open("\\Software\\B", false));
    EXPECT_EQ(store.openHandleCount(), 1u) << "re-opening closes the key that was open";
    EXPECT_FALSE(registry.Open("Missing", false));
    EXPECT_EQ(store.openHandleCount(), 1u);
    EXPECT_TRUE(registry.HasKey("\\Software\\A"));
    EXPECT_FALSE(registry.RemoveKeyTree("\\Software\\Missing"));
    EXPECT_EQ(store.openHandleCount(), 1u) << "HasKey and RemoveKeyTree close what they open";

    registry.SetRoot(HKEY_CURRENT_USER);
    EXPECT_TRUE(registry.IsOpen()) << "the same root changes nothing";
    registry.SetRoot(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(registry.IsOpen());
    EXPECT_EQ(store.openHandleCount(), 0u) << "a new root closes the open key";

    ASSERT_TRUE(registry.Open("Software\\C", false));
    registry.Close();
    EXPECT_EQ(store.openHandleCount(), 0u);
    ASSERT_TRUE(registry.OpenForRead("Software\\C"));
    EXPECT_EQ(store.openHandleCount(), 1u);
  }
  EXPECT_EQ(store.openHandleCount(), 0u) << "destruction closes the open key";
}

TEST_F(RegistryObjectFake, KeyRefusingFullAccessOpensOnlyForReading) {
  create(HKEY_LOCAL_MACHINE, "Software\\Locked");
  create(HKEY_LOCAL_MACHINE, "Software\\Open");
  ASSERT_TRUE(store.refuseFullAccess(HKEY_LOCAL_MACHINE, "Software\\Locked"));

  TRegistry registry(store);
  registry.SetRoot(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(registry.Open("Software\\Locked", false));
  EXPECT_FALSE(registry.HasKey("Software\\Locked")) << "HasKey asks for the object's full access";

  ASSERT_TRUE(registry.OpenForRead("Software\\Locked"));
  EXPECT_TRUE(registry.HasKey("\\Software\\Locked"));
  // From now on every key opens for reading, so writing fails even where it was allowed.
  ASSERT_TRUE(registry.Open("\\Software\\Open", false));
  EXPECT_EQ(errorText([&] { registry.WriteText("x", "y"); }), "Failed to set data for 'x'");
}

TEST_F(RegistryObjectFake, RemoveKeyTreeGoesOnPastASubkeyItCannotRemove) {
  for (const char* path : {"Tree\\A\\A1", "Tree\\B\\B1", "Tree\\C", "Tree\\D\\D1"})
    create(HKEY_CURRENT_USER, path);
  ASSERT_TRUE(store.refuseFullAccess(HKEY_CURRENT_USER, "Tree\\B"));

  TRegistry registry(store);
  EXPECT_FALSE(registry.RemoveKeyTree("Tree"));
  EXPECT_FALSE(exists(HKEY_CURRENT_USER, "Tree\\A"));
  EXPECT_FALSE(exists(HKEY_CURRENT_USER, "Tree\\C"));
  EXPECT_FALSE(exists(HKEY_CURRENT_USER, "Tree\\D"));
  EXPECT_TRUE(exists(HKEY_CURRENT_USER, "Tree\\B\\B1"));
  EXPECT_EQ(store.openHandleCount(), 0u);
}

// An empty path names the base itself; removing it would take the open key or the
// whole root with it.
TEST_F(RegistryObjectFake, RemoveKeyTreeOfAnEmptyPathRemovesNothing) {
  create(HKEY_CURRENT_USER, "Software\\App\\Settings");
  TRegistry registry(store);
  EXPECT_FALSE(registry.RemoveKeyTree(""));
  EXPECT_FALSE(registry.RemoveKeyTree("\\"));
  ASSERT_TRUE(registry.Open("Software\\App", false));
  EXPECT_FALSE(registry.RemoveKeyTree(""));
  EXPECT_TRUE(exists(HKEY_CURRENT_USER, "Software\\App\\Settings"));
}

// A store in which the subkey "Loop" reopens its own parent, as a subkey name cut to
// empty at a NUL would.
class CircularStore : public FakeRegistryStore {
 public:
  RegStatus openKey(RegKey key, const std::string& subKey, RegSam access, RegKey& result) override {
    return FakeRegistryStore::openKey(key, subKey == "Loop" ? "" : subKey, access, result);
  }
};

// A key or value name holding a NUL (made through the native API) names another
// entry once cut at the NUL: the store reports it as invalid, and the object lists
// and removes past it, never reaching the default value or the key itself. A removal
// led in a circle stops at the registry's depth instead of running out of stack.
TEST(RegistryObjectNames, NamesHoldingANulArePassedOverAndRemovalIsBounded) {
  CircularStore store;
  TRegistry registry(store);
  ASSERT_TRUE(registry.Open("Software\\Hidden\\Sub", true));
  ASSERT_TRUE(registry.Open("\\Software\\Hidden", false));
  registry.WriteText("", "default");
  registry.WriteText("Run", "x");
  ASSERT_TRUE(store.plantNameWithNul(HKEY_CURRENT_USER, "Software\\Hidden", std::string("\0Run", 4), true));
  ASSERT_TRUE(store.plantNameWithNul(HKEY_CURRENT_USER, "Software\\Hidden", std::string("\0cut", 4), false));
  ASSERT_TRUE(store.plantNameWithNul(HKEY_CURRENT_USER, "Software\\Hidden", std::string("Sub\0", 4), false));

  std::vector<std::string> names;
  registry.ListValues(names);
  EXPECT_EQ(names, (std::vector<std::string>{"", "Run"}));
  registry.ListSubkeys(names);
  EXPECT_EQ(names, (std::vector<std::string>{"Sub"}));
  EXPECT_FALSE(registry.HasValue(std::string("\0Run", 4)));
  EXPECT_FALSE(registry.RemoveValue(std::string("\0Run", 4)));
  EXPECT_FALSE(registry.HasKey(std::string("Sub\0", 4)));
  EXPECT_EQ(registry.ReadText(""), "default");
  EXPECT_EQ(registry.ReadText("Run"), "x");

  registry.Close();
  EXPECT_FALSE(registry.RemoveKeyTree("Software\\Hidden"));
  EXPECT_FALSE(registry.HasKey("Software\\Hidden\\Sub"));
  ASSERT_TRUE(registry.Open("Software\\Hidden", false));
  EXPECT_EQ(registry.ReadText(""), "default");
  registry.Close();

  ASSERT_TRUE(registry.Open("Software\\Circle\\Loop", true));
  registry.Close();
  registry.RemoveKeyTree("Software\\Circle");
  EXPECT_EQ(store.openHandleCount(), 0u);
}

// A value that grows between the size query and the read.
class GrowingValueStore : public FakeRegistryStore {
 public:
  RegStatus queryValue(RegKey key, const std::string& name, RegType* type, std::uint8_t* data,
                       std::uint32_t* size) override {
    const RegStatus status = FakeRegistryStore::queryValue(key, name, type, nullptr, size);
    if (status != ERROR_SUCCESS || !data) return status;
    *size += 10;
    return ERROR_MORE_DATA;
  }
};

TEST(RegistryObjectReadFailure, ReadTextReportsAValueItCannotRead) {
  GrowingValueStore store;
  RegKey key{};
  ASSERT_EQ(store.createKey(HKEY_CURRENT_USER, "Software\\App", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, key,
                            nullptr),
            ERROR_SUCCESS);
  const std::uint8_t text[] = {'a', 0};
  ASSERT_EQ(store.setValue(key, "Name", REG_SZ, text, sizeof text), ERROR_SUCCESS);
  store.closeKey(key);

  TRegistry registry(store);
  ASSERT_TRUE(registry.Open("Software\\App", false));
  EXPECT_TRUE(registry.HasValue("Name"));
  EXPECT_EQ(errorText([&] { registry.ReadText("Name"); }), "Failed to get data for 'Name'");
}

}  // namespace
}  // namespace velmora::registry
