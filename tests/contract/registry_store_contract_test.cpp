// The registry store's contract: every case here runs natively against the in-memory
// fake and, in the Windows build, against the Win32 store on the registry of the
// Wine prefix. A fake is right only where it answers as the real registry does.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "contract/registry_store_scratch.h"

namespace velmora::test_support {
namespace {

using namespace platform;
using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

class RegistryStoreContract : public ::testing::Test {
 protected:
  // The whole value as the store hands it over, with its type.
  RegStatus read(RegKey key, const std::string& name, RegType& type, Bytes& data) {
    std::uint32_t size = 0;
    if (RegStatus status = store->queryValue(key, name, &type, nullptr, &size); status != ERROR_SUCCESS)
      return status;
    data.assign(size, 0xCC);
    const RegStatus status = store->queryValue(key, name, &type, data.data(), &size);
    data.resize(size);
    return status;
  }

  std::vector<std::string> subkeyNames(RegKey key) {
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t i = 0; store->enumKey(key, i, name) == ERROR_SUCCESS; ++i) names.push_back(name);
    return names;
  }

  std::vector<std::string> valueNames(RegKey key) {
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t i = 0; store->enumValue(key, i, name, nullptr) == ERROR_SUCCESS; ++i)
      names.push_back(name);
    return names;
  }

  RegKey open(const std::string& subKey, RegSam access = KEY_ALL_ACCESS) {
    RegKey key{};
    EXPECT_EQ(store->openKey(scratch.key(), subKey, access, key), ERROR_SUCCESS) << subKey;
    return key;
  }

  std::unique_ptr<RegistryStore> store = makeRegistryStoreUnderTest();
  ScratchKey scratch{*store, "VelmoraContract"};
};

TEST_F(RegistryStoreContract, NonLatinKeyAndValueNamesRoundTrip) {
  const std::string keyName = "Ключ-鍵-κλειδί-😀";
  const std::string valueName = "Значение";
  const std::string text = "Текст, 文字";
  scratch.setText(keyName, valueName, text);

  EXPECT_EQ(subkeyNames(scratch.key()), std::vector<std::string>{keyName});
  const RegKey key = open(keyName);
  EXPECT_EQ(valueNames(key), std::vector<std::string>{valueName});
  RegType type = REG_NONE;
  Bytes data;
  ASSERT_EQ(read(key, valueName, type, data), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(data, bytesOf(std::string(text) + '\0'));
  store->closeKey(key);
}

TEST_F(RegistryStoreContract, NamesIgnoreLetterCaseAndKeepTheirOwn) {
  scratch.createKey("MixedCase");
  scratch.createKey("Ключ");
  scratch.createKey("Ωμέγα");
  scratch.createKey("Élan");
  scratch.createKey("Łódź");
  scratch.createKey("Արամ");

  for (const std::string other :
       {"MIXEDCASE", "mixedcase", "КЛЮЧ", "ключ", "ΩΜΈΓΑ", "éLAN", "ŁÓDŹ", "łódź", "ԱՐԱՄ", "արամ"}) {
    RegKey key{};
    EXPECT_EQ(store->openKey(scratch.key(), other, KEY_READ, key), ERROR_SUCCESS) << other;
    store->closeKey(key);
  }
  // Creating under another case opens the existing key and keeps its name.
  RegKey key{};
  std::uint32_t disposition = 0;
  ASSERT_EQ(store->createKey(scratch.key(), "MIXEDCASE", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, key,
                             &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  EXPECT_EQ(subkeyNames(scratch.key()),
            (std::vector<std::string>{"MixedCase", "Élan", "Łódź", "Ωμέγα", "Ключ", "Արամ"}));

  // A value written again under another case keeps its first name and takes the data.
  const Bytes one{1, 0, 0, 0};
  const Bytes two{2, 0, 0, 0};
  ASSERT_EQ(store->setValue(key, "Setting", REG_DWORD, one.data(), 4), ERROR_SUCCESS);
  ASSERT_EQ(store->setValue(key, "SETTING", REG_DWORD, two.data(), 4), ERROR_SUCCESS);
  EXPECT_EQ(valueNames(key), std::vector<std::string>{"Setting"});
  RegType type = REG_NONE;
  Bytes data;
  ASSERT_EQ(read(key, "setting", type, data), ERROR_SUCCESS);
  EXPECT_EQ(data, two);
  EXPECT_EQ(store->deleteValue(key, "SeTtInG"), ERROR_SUCCESS);
  EXPECT_TRUE(valueNames(key).empty());
  store->closeKey(key);
}

TEST_F(RegistryStoreContract, KeyWithSubkeysCannotBeDeleted) {
  scratch.createKey("Parent\\Child");
  EXPECT_EQ(store->deleteKey(scratch.key(), "Parent"), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(scratch.keyExists("Parent\\Child"));

  EXPECT_EQ(store->deleteKey(scratch.key(), "Parent\\Child"), ERROR_SUCCESS);
  EXPECT_EQ(store->deleteKey(scratch.key(), "Parent"), ERROR_SUCCESS);
  EXPECT_FALSE(scratch.keyExists("Parent"));
  EXPECT_EQ(store->deleteKey(scratch.key(), "Parent"), ERROR_FILE_NOT_FOUND);
}

// Wine keeps subkeys and values sorted by their lower-cased UTF-16 form, shorter
// names before longer ones they begin. (Windows keeps subkeys in much the same order
// but lists values in the order they were written.)
TEST_F(RegistryStoreContract, EnumerationOrder) {
  const std::vector<std::string> created{"b",  "zz", "Ab", "_x", "Ж", "a", "Ａ", "😀",
                                         "[z", "é",  "B2", "`q", "Z", "а", "~t", "E"};
  const std::vector<std::string> listed{"[z", "_x", "`q", "a", "Ab", "b", "B2", "E",
                                        "Z",  "zz", "~t", "é", "а",  "Ж", "😀",  "Ａ"};
  for (const std::string& name : created) {
    scratch.createKey(name);
    scratch.setNumber("", name, 1);
  }
  scratch.setText("", "", "default");

  EXPECT_EQ(subkeyNames(scratch.key()), listed);
  std::vector<std::string> values = listed;
  values.insert(values.begin(), "");
  EXPECT_EQ(valueNames(scratch.key()), values);

  std::string name;
  EXPECT_EQ(store->enumKey(scratch.key(), static_cast<std::uint32_t>(listed.size()), name),
            ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(store->enumValue(scratch.key(), static_cast<std::uint32_t>(values.size()), name, nullptr),
            ERROR_NO_MORE_ITEMS);
}

TEST_F(RegistryStoreContract, DefaultValueIsTheEmptyName) {
  scratch.createKey("Key");
  const RegKey key = open("Key");
  RegType type = REG_NONE;
  Bytes data;
  EXPECT_EQ(read(key, "", type, data), ERROR_FILE_NOT_FOUND) << "a new key has no default value";
  EXPECT_TRUE(valueNames(key).empty());

  const Bytes text = bytesOf(std::string("default") + '\0');
  ASSERT_EQ(store->setValue(key, "", REG_SZ, text.data(), static_cast<std::uint32_t>(text.size())),
            ERROR_SUCCESS);
  ASSERT_EQ(read(key, "", type, data), ERROR_SUCCESS);
  EXPECT_EQ(data, text);
  EXPECT_EQ(valueNames(key), std::vector<std::string>{""});
  std::uint32_t values = 0;
  ASSERT_EQ(store->queryInfoKey(key, nullptr, nullptr, &values, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(values, 1u);

  EXPECT_EQ(store->deleteValue(key, ""), ERROR_SUCCESS);
  EXPECT_EQ(store->deleteValue(key, ""), ERROR_FILE_NOT_FOUND);
  store->closeKey(key);
}

TEST_F(RegistryStoreContract, EveryValueTypeRoundTrips) {
  struct Case {
    std::string name;
    RegType type;
    Bytes data;
  };
  const std::vector<Case> cases{
      {"multi", REG_MULTI_SZ, bytesOf(std::string("one\0два\0\0", 11))},
      {"expand", REG_EXPAND_SZ, bytesOf(std::string("%TEMP%\\x\0", 9))},
      {"inner nul", REG_SZ, bytesOf(std::string("ab\0cd\0", 6))},
      {"empty text", REG_SZ, {}},
      {"binary", REG_BINARY, {0x00, 0xFF, 0xC3, 0x28, 0x80, 0x00, 0x7F}},
      {"odd binary", REG_BINARY, {0xD8, 0x3D, 0xDC}},
      {"dword", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"short dword", REG_DWORD, {0x01, 0x02}},
      {"qword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"none", REG_NONE, {}},
      {"unnamed type", 0x1234, {9, 8, 7}},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(store->setValue(scratch.key(), c.name, c.type, c.data.data(),
                              static_cast<std::uint32_t>(c.data.size())),
              ERROR_SUCCESS)
        << c.name;
  }
  for (const Case& c : cases) {
    RegType type = REG_NONE;
    Bytes data;
    ASSERT_EQ(read(scratch.key(), c.name, type, data), ERROR_SUCCESS) << c.name;
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(data, c.data) << c.name;
  }
}

TEST_F(RegistryStoreContract, StringDataGetsATerminatingNul) {
  const Bytes text = bytesOf("no terminating NUL");
  const Bytes multi = bytesOf(std::string("one\0two", 7));
  ASSERT_EQ(
      store->setValue(scratch.key(), "text", REG_SZ, text.data(), static_cast<std::uint32_t>(text.size())),
      ERROR_SUCCESS);
  ASSERT_EQ(store->setValue(scratch.key(), "multi", REG_MULTI_SZ, multi.data(),
                            static_cast<std::uint32_t>(multi.size())),
            ERROR_SUCCESS);
  ASSERT_EQ(store->setValue(scratch.key(), "binary", REG_BINARY, text.data(),
                            static_cast<std::uint32_t>(text.size())),
            ERROR_SUCCESS);

  RegType type = REG_NONE;
  Bytes data;
  ASSERT_EQ(read(scratch.key(), "text", type, data), ERROR_SUCCESS);
  EXPECT_EQ(data, bytesOf(std::string("no terminating NUL\0", 19)));
  ASSERT_EQ(read(scratch.key(), "multi", type, data), ERROR_SUCCESS);
  EXPECT_EQ(data, bytesOf(std::string("one\0two\0", 8)));
  ASSERT_EQ(read(scratch.key(), "binary", type, data), ERROR_SUCCESS);
  EXPECT_EQ(data, text);
}

TEST_F(RegistryStoreContract, SizeOnlyQueryGivesTheSizeOfTheDataARead) {
  const Bytes text = bytesOf(std::string("Привет") + '\0');  // 13 bytes as UTF-8, 14 as UTF-16
  ASSERT_EQ(
      store->setValue(scratch.key(), "text", REG_SZ, text.data(), static_cast<std::uint32_t>(text.size())),
      ERROR_SUCCESS);

  RegType type = REG_NONE;
  std::uint32_t size = 0;
  ASSERT_EQ(store->queryValue(scratch.key(), "text", &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, text.size());

  // One byte short: the size needed comes back.
  Bytes buffer(size - 1);
  std::uint32_t shortSize = size - 1;
  EXPECT_EQ(store->queryValue(scratch.key(), "text", nullptr, buffer.data(), &shortSize), ERROR_MORE_DATA);
  EXPECT_EQ(shortSize, size);

  // Exactly the size reported: the whole text, size unchanged.
  buffer.assign(size, 0);
  ASSERT_EQ(store->queryValue(scratch.key(), "text", nullptr, buffer.data(), &size), ERROR_SUCCESS);
  EXPECT_EQ(size, text.size());
  EXPECT_EQ(buffer, text);

  // A larger buffer: the size becomes the size of the data.
  std::uint8_t dword[8] = {};
  const Bytes four{4, 3, 2, 1};
  ASSERT_EQ(store->setValue(scratch.key(), "number", REG_DWORD, four.data(), 4), ERROR_SUCCESS);
  size = sizeof dword;
  ASSERT_EQ(store->queryValue(scratch.key(), "number", &type, dword, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(Bytes(dword, dword + 4), four);

  EXPECT_EQ(store->queryValue(scratch.key(), "missing", &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(store->queryValue(scratch.key(), "text", &type, dword, nullptr), ERROR_INVALID_PARAMETER);
  // Neither data nor size: only whether the value exists.
  EXPECT_EQ(store->queryValue(scratch.key(), "text", nullptr, nullptr, nullptr), ERROR_SUCCESS);
}

TEST_F(RegistryStoreContract, KeyPaths) {
  RegKey key{};
  std::uint32_t disposition = 0;
  ASSERT_EQ(store->createKey(scratch.key(), "One\\Two\\Three", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, key,
                             &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  store->closeKey(key);
  EXPECT_TRUE(scratch.keyExists("One"));
  EXPECT_TRUE(scratch.keyExists("One\\Two\\Three"));
  EXPECT_TRUE(scratch.keyExists("One\\Two\\"));
  EXPECT_TRUE(scratch.keyExists("One\\\\Two")) << "an empty level is passed over";

  EXPECT_EQ(store->openKey(scratch.key(), "\\One", KEY_READ, key), ERROR_BAD_PATHNAME);
  EXPECT_EQ(store->createKey(scratch.key(), "\\Lead", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, key, nullptr),
            ERROR_BAD_PATHNAME);
  EXPECT_EQ(store->openKey(scratch.key(), "One\\Missing", KEY_READ, key), ERROR_FILE_NOT_FOUND);

  // A forward slash is part of a name, not a separator.
  scratch.createKey("a/b");
  EXPECT_EQ(subkeyNames(scratch.key()), (std::vector<std::string>{"a/b", "One"}));

  // An empty path opens the key itself.
  scratch.setNumber("", "here", 7);
  const RegKey self = open("");
  EXPECT_EQ(valueNames(self), std::vector<std::string>{"here"});
  store->closeKey(self);
}

TEST_F(RegistryStoreContract, HandlesAndTheirRights) {
  scratch.createKey("Key");
  const RegKey readOnly = open("Key", KEY_READ);
  const Bytes one{1, 0, 0, 0};
  EXPECT_EQ(store->setValue(readOnly, "x", REG_DWORD, one.data(), 4), ERROR_ACCESS_DENIED);
  EXPECT_EQ(store->deleteValue(readOnly, "x"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(store->closeKey(readOnly), ERROR_SUCCESS);
  EXPECT_EQ(store->closeKey(readOnly), ERROR_INVALID_HANDLE);
  EXPECT_EQ(store->closeKey(RegKey{}), ERROR_INVALID_HANDLE);
  EXPECT_EQ(store->closeKey(HKEY_CURRENT_USER), ERROR_SUCCESS);

  std::uint32_t size = 0;
  EXPECT_EQ(store->queryValue(RegKey{}, "x", nullptr, nullptr, &size), ERROR_INVALID_HANDLE);

  // A key deleted under an open handle answers through that handle that it is gone.
  const RegKey doomed = open("Key");
  ASSERT_EQ(store->deleteKey(scratch.key(), "Key"), ERROR_SUCCESS);
  EXPECT_EQ(store->setValue(doomed, "x", REG_DWORD, one.data(), 4), ERROR_KEY_DELETED);
  EXPECT_EQ(store->queryValue(doomed, "x", nullptr, nullptr, &size), ERROR_KEY_DELETED);
  std::string name;
  EXPECT_EQ(store->enumKey(doomed, 0, name), ERROR_KEY_DELETED);
  EXPECT_EQ(store->closeKey(doomed), ERROR_SUCCESS);
  EXPECT_FALSE(scratch.keyExists("Key"));

  // An empty path deletes the handle's own key.
  scratch.createKey("Self");
  const RegKey self = open("Self");
  EXPECT_EQ(store->deleteKey(self, ""), ERROR_SUCCESS);
  store->closeKey(self);
  EXPECT_FALSE(scratch.keyExists("Self"));
}

// A 64-bit program reaches what 32-bit programs see of HKEY_LOCAL_MACHINE\Software
// with KEY_WOW64_32KEY; 64-bit Windows keeps it at Software\WOW6432Node, and so
// does a 64-bit Wine prefix. HKEY_CURRENT_USER\Software is one key in both views.
TEST_F(RegistryStoreContract, TheThirtyTwoBitViewOfMachineSoftwareIsItsWow6432NodeKey) {
  // A name no other test uses, beside the scratch key's own, on the machine side.
  const std::string name = scratch.path() + "-view";
  const std::string stored = "Software\\WOW6432Node" + name.substr(name.find('\\'));
  struct Cleanup {
    RegistryStore& store;
    std::string path;
    ~Cleanup() { deleteTree(store, HKEY_LOCAL_MACHINE, path); }
  } cleanup{*store, stored};

  RegKey key{};
  ASSERT_EQ(store->createKey(HKEY_LOCAL_MACHINE, name, REG_OPTION_NON_VOLATILE,
                             KEY_ALL_ACCESS | KEY_WOW64_32KEY, key, nullptr),
            ERROR_SUCCESS);
  const Bytes one = bytesOf("1");
  EXPECT_EQ(store->setValue(key, "v", REG_SZ, one.data(), 1), ERROR_SUCCESS);
  store->closeKey(key);

  EXPECT_EQ(store->openKey(HKEY_LOCAL_MACHINE, name, KEY_READ, key), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(store->openKey(HKEY_LOCAL_MACHINE, stored, KEY_READ, key), ERROR_SUCCESS);
  EXPECT_EQ(valueNames(key), std::vector<std::string>{"v"});
  store->closeKey(key);
  ASSERT_EQ(store->openKey(HKEY_LOCAL_MACHINE, name, KEY_READ | KEY_WOW64_32KEY, key), ERROR_SUCCESS);
  store->closeKey(key);

  EXPECT_EQ(store->deleteKeyEx(HKEY_LOCAL_MACHINE, name, 0), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(store->deleteKeyEx(HKEY_LOCAL_MACHINE, name, KEY_WOW64_32KEY), ERROR_SUCCESS);
  EXPECT_EQ(store->openKey(HKEY_LOCAL_MACHINE, stored, KEY_READ, key), ERROR_FILE_NOT_FOUND);

  ASSERT_EQ(store->createKey(HKEY_CURRENT_USER, scratch.path() + "\\Shared", REG_OPTION_NON_VOLATILE,
                             KEY_ALL_ACCESS | KEY_WOW64_32KEY, key, nullptr),
            ERROR_SUCCESS);
  store->closeKey(key);
  EXPECT_TRUE(scratch.keyExists("Shared"));
}

TEST_F(RegistryStoreContract, KeyInfoCountsAndLongestNamesInUtf8Bytes) {
  scratch.createKey("ab");
  scratch.createKey("Ключ");  // 4 letters, 8 bytes
  scratch.createKey("ab\\below");
  scratch.setNumber("", "x", 1);
  scratch.setNumber("", "日本語", 1);  // 3 letters, 9 bytes
  scratch.setNumber("", "", 1);

  std::uint32_t subKeys = 0, longestKey = 0, values = 0, longestValue = 0;
  ASSERT_EQ(store->queryInfoKey(scratch.key(), &subKeys, &longestKey, &values, &longestValue), ERROR_SUCCESS);
  EXPECT_EQ(subKeys, 2u);
  EXPECT_EQ(longestKey, 8u);
  EXPECT_EQ(values, 3u);
  EXPECT_EQ(longestValue, 9u);
}

}  // namespace
}  // namespace velmora::test_support
