// Registry files against the store under test: the in-memory fake natively, read
// back with the test reader, and the registry of the Wine prefix under Wine, read
// back by the system's registry editor.
#include "registry/reg_file_export.h"

#include <gtest/gtest.h>

#include <string>

#include "contract/registry_store_scratch.h"
#include "reg_file_import.h"
#include "registry_planter.h"

namespace velmora::registry {
namespace {

using namespace platform;

std::vector<std::uint8_t> bytesOf(std::string_view text) { return {text.begin(), text.end()}; }

class RegFileExportTest : public ::testing::Test {
 protected:
  std::unique_ptr<RegistryStore> store = test_support::makeRegistryStoreUnderTest();
  test_support::ScratchKey scratch{*store, "VelmoraTests"};
  test_support::RegistryPlanter plant{*store};
};

TEST_F(RegFileExportTest, ImportingTheFileRestoresExactlyWhatItHolds) {
  scratch.setText("Tree", "", "default");
  scratch.setText("Tree", "quote\"and\\slash", "C:\\Path \"x\"");
  scratch.setText("Tree", "Lines", "one\r\ntwo");
  scratch.setText("Tree", "Empty", "");
  scratch.setText("Tree", "Expand", "%SystemRoot%\\x.dll", REG_EXPAND_SZ);
  scratch.setValue("Tree", "Multi", REG_MULTI_SZ, bytesOf(std::string_view("a\0b\0\0", 5)));
  scratch.setNumber("Tree", "Number", 0xDEADBEEF);
  scratch.setValue("Tree", "Short", REG_DWORD, {1, 2});
  std::vector<std::uint8_t> blob(200);
  for (std::size_t i = 0; i < blob.size(); ++i) blob[i] = static_cast<std::uint8_t>(i * 7);
  scratch.setValue("Tree", "Blob", REG_BINARY, blob);
  scratch.setValue("Tree", "Quad", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8});
  scratch.setValue("Tree", "Nothing", REG_NONE, {});
  scratch.setText("Tree", "Кириллица", "Текст");
  scratch.setText("Tree\\Sub\\Deeper", "deep", "value");
  scratch.createKey("Tree\\Empty key");
  scratch.setValue("", "Lone", REG_BINARY, {0xFF});
  scratch.setText("", "Kept", "stays");
  const test_support::RegistryTree before = plant.tree(HKEY_CURRENT_USER, scratch.path());

  RegFileExport file(*store);
  ASSERT_TRUE(file.addKeyTree(HKEY_CURRENT_USER, scratch.path() + "\\Tree\\"));
  ASSERT_TRUE(file.addValue(HKEY_CURRENT_USER, scratch.path(), "Lone"));
  const std::string bytes = file.fileBytes();
  EXPECT_TRUE(bytes.starts_with("\xFF\xFEW\0i\0n\0"));

  ASSERT_EQ(test_support::deleteTree(*store, scratch.key(), "Tree"), ERROR_SUCCESS);
  ASSERT_EQ(store->deleteValue(scratch.key(), "Lone"), ERROR_SUCCESS);
  ASSERT_TRUE(test_support::importAsTheSystemDoes(*store, bytes));
  EXPECT_EQ(plant.tree(HKEY_CURRENT_USER, scratch.path()), before);
}

// String data as a damaged profile can hold it, which UTF-8 cannot carry: each
// case ends in a NUL unit so that neither Windows nor Wine adds one on writing.
TEST_F(RegFileExportTest, StringDataThatIsNotTextComesBackByteForByte) {
  using namespace std::string_literals;
  const struct {
    const char* name;
    RegType type;
    std::string bytes;
  } cases[] = {
      {"odd count", REG_SZ, "a\0\0\0x"s},
      {"lone high surrogate", REG_SZ,
       "\x00\xD8"
       "b\0\0\0"s},
      {"lone low surrogate", REG_EXPAND_SZ, "%\0\x01\xDC\0\0"s},
      {"inner NUL", REG_SZ, "a\0\0\0b\0\0\0"s},
      {"list", REG_MULTI_SZ, "a\0\0\0\x00\xD8\0\0\0\0"s},
      {"plain", REG_SZ, "o\0k\0\0\0"s},
  };
  for (const auto& c : cases)
    ASSERT_EQ(store->setValueBytes(scratch.key(), c.name, c.type, c.bytes), ERROR_SUCCESS);
  RegFileExport file(*store);
  for (const auto& c : cases) ASSERT_TRUE(file.addValue(HKEY_CURRENT_USER, scratch.path(), c.name)) << c.name;
  for (const auto& c : cases) ASSERT_EQ(store->deleteValue(scratch.key(), c.name), ERROR_SUCCESS);

  ASSERT_TRUE(test_support::importAsTheSystemDoes(*store, file.fileBytes()));
  for (const auto& c : cases) {
    RegType type = REG_NONE;
    std::string bytes;
    ASSERT_EQ(store->queryValueBytes(scratch.key(), c.name, type, bytes), ERROR_SUCCESS) << c.name;
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(bytes, c.bytes) << c.name;
  }
}

TEST_F(RegFileExportTest, AnAdditionThatCannotBeWrittenWholeAddsNothing) {
  scratch.setText("Tree\\Sub", "line\nbreak", "a name no file line can hold");
  scratch.setText("Tree", "fine", "x");
  RegFileExport file(*store);
  EXPECT_FALSE(file.addKeyTree(HKEY_CURRENT_USER, scratch.path() + "\\Tree"));
  EXPECT_FALSE(file.addValue(HKEY_CURRENT_USER, scratch.path() + "\\Tree", "missing"));
  EXPECT_FALSE(file.addKeyTree(HKEY_CURRENT_USER, scratch.path() + "\\Missing"));
  EXPECT_TRUE(file.empty());
  EXPECT_TRUE(file.addValue(HKEY_CURRENT_USER, scratch.path() + "\\Tree", "fine"));
  EXPECT_FALSE(file.empty());
}

}  // namespace
}  // namespace velmora::registry
