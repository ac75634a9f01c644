#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry_store.h"

namespace velmora::test_support {

// Every key of a tree by its path, with its values' types and data by name.
using RegistryTree = std::map<std::string, std::map<std::string, std::pair<platform::RegType, std::string>>>;

// Puts keys and values into a registry store and looks at them, through the
// store's own calls, failing the running test when the store refuses.
class RegistryPlanter {
 public:
  explicit RegistryPlanter(platform::RegistryStore& store) : store_(store) {}

  void key(platform::RegKey root, std::string_view path) { close(create(root, path)); }

  void value(platform::RegKey root, std::string_view path, const std::string& name, platform::RegType type,
             std::string_view data) {
    const platform::RegKey key = create(root, path);
    EXPECT_EQ(store_.setValue(key, name, type, reinterpret_cast<const std::uint8_t*>(data.data()),
                              static_cast<std::uint32_t>(data.size())),
              platform::ERROR_SUCCESS)
        << path << " " << name;
    close(key);
  }
  void text(platform::RegKey root, std::string_view path, const std::string& name, std::string_view text,
            platform::RegType type = platform::REG_SZ) {
    value(root, path, name, type, std::string(text) + '\0');
  }
  void number(platform::RegKey root, std::string_view path, const std::string& name, std::uint32_t number) {
    const char bytes[4] = {static_cast<char>(number), static_cast<char>(number >> 8),
                           static_cast<char>(number >> 16), static_cast<char>(number >> 24)};
    value(root, path, name, platform::REG_DWORD, std::string_view(bytes, 4));
  }

  bool exists(platform::RegKey root, std::string_view path) const {
    platform::RegKey key{};
    if (store_.openKey(root, std::string(path), platform::KEY_READ, key) != platform::ERROR_SUCCESS)
      return false;
    close(key);
    return true;
  }
  bool hasValue(platform::RegKey root, std::string_view path, const std::string& name) const {
    platform::RegKey key{};
    if (store_.openKey(root, std::string(path), platform::KEY_READ, key) != platform::ERROR_SUCCESS)
      return false;
    const bool found = store_.queryValue(key, name, nullptr, nullptr, nullptr) == platform::ERROR_SUCCESS;
    close(key);
    return found;
  }

  // The tree at root\path as it stands; empty when the key is not there.
  RegistryTree tree(platform::RegKey root, const std::string& path) const {
    RegistryTree tree;
    addTree(root, path, tree);
    return tree;
  }

 private:
  platform::RegKey create(platform::RegKey root, std::string_view path) {
    platform::RegKey key{};
    EXPECT_EQ(store_.createKey(root, std::string(path), platform::REG_OPTION_NON_VOLATILE,
                               platform::KEY_ALL_ACCESS, key, nullptr),
              platform::ERROR_SUCCESS)
        << path;
    return key;
  }
  void close(platform::RegKey key) const {
    if (key != platform::RegKey{} && !platform::isPredefinedKey(key)) store_.closeKey(key);
  }

  void addTree(platform::RegKey root, const std::string& path, RegistryTree& tree) const {
    platform::RegKey key{};
    if (store_.openKey(root, path, platform::KEY_READ, key) != platform::ERROR_SUCCESS) return;
    auto& values = tree[path];
    std::string name;
    for (std::uint32_t i = 0; store_.enumValue(key, i, name, nullptr) == platform::ERROR_SUCCESS; ++i) {
      platform::RegType type = platform::REG_NONE;
      std::uint32_t size = 0;
      store_.queryValue(key, name, &type, nullptr, &size);
      std::string data(size, '\0');
      store_.queryValue(key, name, &type, reinterpret_cast<std::uint8_t*>(data.data()), &size);
      values[name] = {type, data};
    }
    std::vector<std::string> subkeys;
    for (std::uint32_t i = 0; store_.enumKey(key, i, name) == platform::ERROR_SUCCESS; ++i)
      subkeys.push_back(name);
    close(key);
    for (const std::string& sub : subkeys) addTree(root, path + "\\" + sub, tree);
  }

  platform::RegistryStore& store_;
};

}  // namespace velmora::test_support
