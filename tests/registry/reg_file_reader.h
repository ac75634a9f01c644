#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_store.h"

// A reader of the registry files the program writes, for the tests: what the
// system's registry editor would import from them.
namespace velmora::test_support {

struct RegFileValue {
  platform::RegKey root{};
  std::string keyPath;
  std::string name;
  platform::RegType type = platform::REG_NONE;
  // As the store takes it: UTF-8 for the string types, raw bytes otherwise.
  std::string data;
};

struct RegFileContents {
  std::vector<std::pair<platform::RegKey, std::string>> keys;  // Every [section], in file order.
  std::vector<RegFileValue> values;
};

// Nothing when bytes are not a registry file of version 5.00 in UTF-16LE with its
// byte-order mark, or a line cannot be read.
std::optional<RegFileContents> readRegFile(std::string_view bytes);

// Imports a registry file into store as the registry editor does: every key is
// created, every value set. False when the file cannot be read.
bool importRegFile(platform::RegistryStore& store, std::string_view bytes);

}  // namespace velmora::test_support
