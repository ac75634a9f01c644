// The registry path functions against the store under test: the in-memory fake
// natively and the registry of the Wine prefix in the Windows build, inside a
// throwaway key under HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "contract/registry_store_scratch.h"
#include "registry/registry_path_functions.h"

namespace velmora::registry {
namespace {

using namespace platform;
using Names = std::vector<std::string>;

class RegistryPaths : public ::testing::Test {
 protected:
  // "HKCU\Software\VelmoraTests\<unique>\": the scratch key as a key path.
  std::string base() const { return "HKCU\\" + scratch.path() + "\\"; }

  std::unique_ptr<RegistryStore> store = test_support::makeRegistryStoreUnderTest();
  test_support::ScratchKey scratch{*store, "VelmoraTests"};
};

TEST_F(RegistryPaths, WrittenValuesReadBack) {
  EXPECT_TRUE(RegWriteString(*store, base() + "Name", "Текст"));
  EXPECT_EQ(RegReadString(*store, base() + "name", "default"), "Текст");
  EXPECT_TRUE(RegValueExists(*store, base() + "Name"));
  EXPECT_EQ(RegGetDataType(*store, base() + "Name"), RegValueKind::Text);

  EXPECT_TRUE(RegWriteInt(*store, base() + "Number", -5));
  EXPECT_EQ(RegReadInt(*store, base() + "Number", 0), -5);
  EXPECT_EQ(RegGetDataType(*store, base() + "Number"), RegValueKind::Number);
  EXPECT_TRUE(RegWriteBool(*store, base() + "Flag", true));
  EXPECT_TRUE(RegReadBool(*store, base() + "Flag", false));
  EXPECT_TRUE(RegWriteBool(*store, base() + "Flag", false));
  EXPECT_FALSE(RegReadBool(*store, base() + "Flag", true));
  EXPECT_EQ(RegReadInt(*store, base() + "Flag", 9), 0);

  // Missing keys of the path are created; a path ending with a separator addresses
  // the key's default value.
  EXPECT_TRUE(RegWriteString(*store, base() + "New\\Deeper\\", "default text"));
  EXPECT_TRUE(scratch.keyExists("New\\Deeper"));
  EXPECT_EQ(RegReadString(*store, base() + "New\\Deeper\\", ""), "default text");
  Names values;
  EXPECT_TRUE(RegGetValueNames(*store, base() + "New\\Deeper\\", values));
  EXPECT_EQ(values, Names{""});
}

TEST_F(RegistryPaths, ReadsOfAnotherTypeOrOfNothingGiveTheDefault) {
  scratch.setNumber("", "AllOnes", 0xFFFFFFFF);
  scratch.setText("", "Text", "12");
  scratch.setValue("", "Binary", REG_BINARY, {1, 0, 0, 0});

  EXPECT_EQ(RegReadInt(*store, base() + "AllOnes", 0), -1);
  EXPECT_TRUE(RegReadBool(*store, base() + "AllOnes", false));
  EXPECT_EQ(RegReadString(*store, base() + "AllOnes", "default"), "default");
  EXPECT_EQ(RegReadInt(*store, base() + "Text", 77), 77);
  EXPECT_TRUE(RegReadBool(*store, base() + "Text", true));
  EXPECT_FALSE(RegReadBool(*store, base() + "Text", false));
  EXPECT_EQ(RegReadInt(*store, base() + "Binary", 77), 77);
  EXPECT_EQ(RegReadString(*store, base() + "Binary", "default"), "default");

  EXPECT_EQ(RegReadString(*store, base() + "Missing", "default"), "default");
  EXPECT_EQ(RegReadInt(*store, base() + "Missing\\Value", 3), 3);
  EXPECT_FALSE(RegValueExists(*store, base() + "Missing\\Value"));
  EXPECT_EQ(RegGetDataType(*store, base() + "Missing\\Value"), RegValueKind::Unknown);
  EXPECT_FALSE(scratch.keyExists("Missing")) << "reading creates nothing";
}

TEST_F(RegistryPaths, ForwardSlashesSeparateLikeBackslashes) {
  // A slash as the last separator ends the key path like a backslash would...
  EXPECT_TRUE(RegWriteString(*store, "HKCU\\" + scratch.path() + "/Value", "x"));
  EXPECT_EQ(RegReadString(*store, base() + "Value", ""), "x");
  // ...but inside the key path it reaches the registry unchanged, as part of a name.
  EXPECT_TRUE(RegWriteString(*store, base() + "a/b\\Value", "y"));
  EXPECT_TRUE(scratch.keyExists("a/b"));
  EXPECT_FALSE(scratch.keyExists("a"));
  EXPECT_EQ(RegReadString(*store, base() + "a/b/Value", ""), "y");
}

TEST_F(RegistryPaths, KeyAndValueNames) {
  scratch.createKey("One");
  scratch.createKey("Two\\Below");
  scratch.setNumber("", "v", 1);

  Names list{"left over"};
  EXPECT_TRUE(RegGetKeyNames(*store, base(), list));
  std::sort(list.begin(), list.end());
  EXPECT_EQ(list, (Names{"One", "Two"}));
  EXPECT_TRUE(RegGetValueNames(*store, base(), list));
  EXPECT_EQ(list, Names{"v"});

  // Without the trailing separator the last name is a value name: the parent is listed.
  const std::string withoutSeparator = base().substr(0, base().size() - 1);
  EXPECT_TRUE(RegGetKeyNames(*store, withoutSeparator, list));
  const std::string own = scratch.path().substr(scratch.path().rfind('\\') + 1);
  EXPECT_NE(std::find(list.begin(), list.end(), own), list.end());

  list = {"left over"};
  EXPECT_TRUE(RegGetKeyNames(*store, base() + "Missing\\", list));
  EXPECT_TRUE(list.empty());
}

TEST_F(RegistryPaths, DeleteValue) {
  scratch.setText("", "Doomed", "x");
  EXPECT_TRUE(RegDeleteValue(*store, base() + "DOOMED"));
  EXPECT_FALSE(RegValueExists(*store, base() + "Doomed"));
  EXPECT_FALSE(RegDeleteValue(*store, base() + "Doomed"));
  EXPECT_FALSE(RegDeleteValue(*store, base() + "Missing\\Value"));
  EXPECT_FALSE(scratch.keyExists("Missing")) << "deleting creates nothing";
}

}  // namespace
}  // namespace velmora::registry
