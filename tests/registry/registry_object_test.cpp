// The registry object against the store under test: the in-memory fake natively and
// the registry of the Wine prefix in the Windows build, inside a throwaway key.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "contract/registry_store_scratch.h"
#include "registry/registry_object.h"
#include "registry_error_text.h"

namespace velmora::registry {
namespace {

using namespace platform;
using Names = std::vector<std::string>;

Names sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

class RegistryObject : public ::testing::Test {
 protected:
  // The scratch key's path from the root, with the leading backslash that makes any
  // object take it from the root.
  std::string scratchFromRoot() const { return "\\" + scratch.path(); }

  std::unique_ptr<RegistryStore> store = test_support::makeRegistryStoreUnderTest();
  test_support::ScratchKey scratch{*store, "VelmoraTests"};
};

TEST_F(RegistryObject, RemoveKeyTreeRemovesANestedTreeWhole) {
  for (const char* key :
       {"Tree\\A\\A1\\Deep", "Tree\\A\\A2", "Tree\\B", "Tree\\C\\C1", "Tree\\C\\C2", "Keep"})
    scratch.createKey(key);
  scratch.setText("Tree", "", "default");
  scratch.setNumber("Tree\\A\\A1", "n", 1);
  scratch.setText("Tree\\C\\C2", "t", "x");

  TRegistry registry(*store);
  ASSERT_TRUE(registry.Open(scratchFromRoot(), false));
  EXPECT_TRUE(registry.RemoveKeyTree("Tree"));
  EXPECT_FALSE(scratch.keyExists("Tree"));
  EXPECT_TRUE(scratch.keyExists("Keep"));

  // The open key is where it was, and a path from the root works as well.
  EXPECT_TRUE(registry.HasKey("Keep"));
  EXPECT_TRUE(registry.RemoveKeyTree(scratchFromRoot() + "\\Keep"));
  EXPECT_FALSE(scratch.keyExists("Keep"));
}

TEST_F(RegistryObject, RemoveKeyTreeOfAMissingKeyFailsAndCreatesNothing) {
  TRegistry registry(*store);
  ASSERT_TRUE(registry.Open(scratchFromRoot(), false));
  EXPECT_FALSE(registry.RemoveKeyTree("Missing"));
  EXPECT_FALSE(registry.RemoveKeyTree("Missing\\Below"));
  EXPECT_FALSE(scratch.keyExists("Missing"));
}

TEST_F(RegistryObject, WithoutAnOpenKeyListingsAreEmptyAndValuesAbsent) {
  TRegistry registry(*store);
  EXPECT_FALSE(registry.Open(scratchFromRoot() + "\\Missing", false));
  EXPECT_FALSE(registry.IsOpen());

  Names list{"left over"};
  registry.ListSubkeys(list);
  EXPECT_TRUE(list.empty());
  list = {"left over"};
  registry.ListValues(list);
  EXPECT_TRUE(list.empty());
  std::uint32_t subkeys = 7, values = 7;
  EXPECT_FALSE(registry.KeyCounts(subkeys, values));
  EXPECT_FALSE(registry.HasValue(""));
  EXPECT_EQ(registry.ValueKind(""), RegValueKind::Unknown);
  EXPECT_FALSE(registry.RemoveValue(""));
  EXPECT_EQ(registry.ReadText("x"), "");
  EXPECT_EQ(errorText([&] { registry.ReadNumber("x"); }), "Failed to get data for 'x'");
  EXPECT_EQ(errorText([&] { registry.WriteText("x", "y"); }), "Failed to set data for 'x'");
  EXPECT_EQ(errorText([&] { registry.WriteNumber("x", 1); }), "Failed to set data for 'x'");
}

TEST_F(RegistryObject, LeadingBackslashStartsFromTheRootOtherwiseFromTheOpenKey) {
  // A "Software" below the scratch key, told apart from HKCU\Software by a marker.
  scratch.setNumber("Software", "VelmoraMarker", 1);

  TRegistry registry(*store);
  ASSERT_TRUE(registry.Open(scratch.path(), false)) << "no key open: a relative path starts at the root";
  ASSERT_TRUE(registry.Open("Software", false));
  EXPECT_TRUE(registry.HasValue("VelmoraMarker"));

  ASSERT_TRUE(registry.Open(scratchFromRoot(), false));
  ASSERT_TRUE(registry.Open("\\Software", false));
  EXPECT_FALSE(registry.HasValue("VelmoraMarker"));

  ASSERT_TRUE(registry.Open(scratchFromRoot(), false));
  EXPECT_TRUE(registry.HasKey("Software"));
  EXPECT_FALSE(registry.HasKey(scratch.path())) << "relative to the open key, where it is not";
  EXPECT_TRUE(registry.HasKey(scratchFromRoot()));

  // A failed open leaves the open key as it was.
  EXPECT_FALSE(registry.Open("Missing", false));
  EXPECT_TRUE(registry.HasKey("Software"));
  // Open with create makes missing levels below the open key.
  ASSERT_TRUE(registry.Open("New\\Deeper", true));
  EXPECT_TRUE(scratch.keyExists("New\\Deeper"));
}

TEST_F(RegistryObject, ReadText) {
  scratch.setText("", "text", "hello");
  scratch.setText("", "expand", "%TEMP%\\x", REG_EXPAND_SZ);
  scratch.setText("", "inner nul", std::string("ab\0cd", 5));
  scratch.setValue("", "empty binary", REG_BINARY, {});
  scratch.setValue("", "empty multi", REG_MULTI_SZ, {});
  scratch.setNumber("", "number", 5);
  scratch.setValue("", "multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 0});

  TRegistry registry(*store);
  ASSERT_TRUE(registry.Open(scratchFromRoot(), false));
  EXPECT_EQ(registry.ReadText("text"), "hello");
  EXPECT_EQ(registry.ReadText("TEXT"), "hello");
  EXPECT_EQ(registry.ReadText("expand"), "%TEMP%\\x");
  EXPECT_EQ(registry.ReadText("inner nul"), "ab");
  EXPECT_EQ(registry.ReadText("missing"), "");
  EXPECT_EQ(registry.ReadText("empty binary"), "");
  EXPECT_EQ(registry.ReadText("empty multi"), "");
  EXPECT_EQ(errorText([&] { registry.ReadText("number"); }), "Invalid data type for 'number'");
  EXPECT_EQ(errorText([&] { registry.ReadText("multi"); }), "Invalid data type for 'multi'");

  registry.WriteText("written", "Привет, мир");
  EXPECT_EQ(registry.ReadText("written"), "Привет, мир");
  EXPECT_EQ(registry.ValueKind("written"), RegValueKind::Text);
}

TEST_F(RegistryObject, ReadNumber) {
  scratch.setNumber("", "all ones", 0xFFFFFFFF);
  scratch.setNumber("", "answer", 42);
  scratch.setValue("", "long binary", REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8});
  scratch.setValue("", "four bytes", REG_BINARY, {1, 0, 0, 0});
  scratch.setText("", "text", "1");

  TRegistry registry(*store);
  ASSERT_TRUE(registry.Open(scratchFromRoot(), false));
  EXPECT_EQ(registry.ReadNumber("all ones"), -1);
  EXPECT_EQ(registry.ReadNumber("answer"), 42);
  EXPECT_EQ(errorText([&] { registry.ReadNumber("missing"); }), "Failed to get data for 'missing'");
  EXPECT_EQ(errorText([&] { registry.ReadNumber("long binary"); }), "Failed to get data for 'long binary'");
  EXPECT_EQ(errorText([&] { registry.ReadNumber("four bytes"); }), "Invalid data type for 'four bytes'");
  EXPECT_EQ(errorText([&] { registry.ReadNumber("text"); }), "Invalid data type for 'text'");

  registry.WriteNumber("written", -2);
  EXPECT_EQ(registry.ReadNumber("written"), -2);
}

TEST_F(RegistryObject, ValueKindAndHasValue) {
  scratch.setText("", "", "default");
  scratch.setText("", "sz", "x");
  scratch.setText("", "expand", "x", REG_EXPAND_SZ);
  scratch.setNumber("", "dword", 1);
  scratch.setValue("", "binary", REG_BINARY, {1});
  scratch.setValue("", "multi", REG_MULTI_SZ, {'x', 0, 0});
  scratch.setValue("", "qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0});

  TRegistry registry(*store);
  ASSERT_TRUE(registry.Open(scratchFromRoot(), false));
  EXPECT_TRUE(registry.HasValue(""));
  EXPECT_EQ(registry.ValueKind(""), RegValueKind::Text);
  EXPECT_EQ(registry.ValueKind("sz"), RegValueKind::Text);
  EXPECT_EQ(registry.ValueKind("expand"), RegValueKind::ExpandText);
  EXPECT_EQ(registry.ValueKind("dword"), RegValueKind::Number);
  EXPECT_EQ(registry.ValueKind("binary"), RegValueKind::Binary);
  EXPECT_EQ(registry.ValueKind("multi"), RegValueKind::Unknown);
  EXPECT_EQ(registry.ValueKind("qword"), RegValueKind::Unknown);
  EXPECT_EQ(registry.ValueKind("missing"), RegValueKind::Unknown);
  EXPECT_FALSE(registry.HasValue("missing"));

  EXPECT_TRUE(registry.RemoveValue("sz"));
  EXPECT_FALSE(registry.HasValue("sz"));
  EXPECT_FALSE(registry.RemoveValue("sz"));
}

TEST_F(RegistryObject, ListingsAndCounts) {
  scratch.createKey("b");
  scratch.createKey("a\\below");
  scratch.setText("", "", "default");
  scratch.setNumber("", "x", 1);

  TRegistry registry(*store);
  ASSERT_TRUE(registry.Open(scratchFromRoot(), false));
  Names list{"left over"};
  registry.ListSubkeys(list);
  EXPECT_EQ(sorted(list), (Names{"a", "b"}));
  registry.ListValues(list);
  EXPECT_EQ(sorted(list), (Names{"", "x"}));
  std::uint32_t subkeys = 0, values = 0;
  ASSERT_TRUE(registry.KeyCounts(subkeys, values));
  EXPECT_EQ(subkeys, 2u);
  EXPECT_EQ(values, 2u);

  ASSERT_TRUE(registry.Open("b", false));
  registry.ListSubkeys(list);
  EXPECT_TRUE(list.empty());
}

TEST_F(RegistryObject, AfterOpenForReadTheObjectOnlyReads) {
  scratch.setNumber("", "n", 3);

  TRegistry registry(*store);
  EXPECT_EQ(registry.Access(), KEY_ALL_ACCESS);
  EXPECT_FALSE(registry.OpenForRead(scratchFromRoot() + "\\Missing"));
  EXPECT_EQ(registry.Access(), KEY_ALL_ACCESS) << "a failed OpenForRead changes nothing";

  ASSERT_TRUE(registry.OpenForRead(scratchFromRoot()));
  EXPECT_EQ(registry.Access(), KEY_READ);
  EXPECT_EQ(registry.ReadNumber("n"), 3);
  EXPECT_EQ(errorText([&] { registry.WriteNumber("n", 4); }), "Failed to set data for 'n'");
  EXPECT_FALSE(registry.RemoveValue("n"));

  // Later opens keep to reading.
  ASSERT_TRUE(registry.Open(scratchFromRoot(), false));
  EXPECT_EQ(errorText([&] { registry.WriteText("t", "x"); }), "Failed to set data for 't'");
  EXPECT_EQ(registry.ReadNumber("n"), 3);
}

}  // namespace
}  // namespace velmora::registry
