// The registry backup writer on any registry tree: a file it writes imports, with
// the program's own reader, into exactly the tree it was written from, every key,
// value, type and byte of data, string data that is not text included. And the
// reader on the input itself, which must take any bytes without harm.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdlib>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_registry_store.h"
#include "registry/reg_file_export.h"
#include "registry/reg_file_import.h"
#include "registry/reg_file_reader.h"

using namespace velmora;
using namespace velmora::platform;

namespace {

constexpr const char* kTop = "Software\\Fuzz";

// Every key below a key (by path, lower-cased as the registry compares ASCII) with
// its values: name, type and data.
using Values = std::map<std::string, std::pair<RegType, std::string>>;
using Tree = std::map<std::string, Values>;

void readTree(RegistryStore& store, RegKey key, const std::string& path, Tree& tree, int depth) {
  Values& values = tree[path];
  std::string name;
  for (std::uint32_t i = 0; store.enumValue(key, i, name, nullptr) == ERROR_SUCCESS; ++i) {
    RegType type = REG_NONE;
    std::string data;
    if (store.queryValueBytes(key, name, type, data) != ERROR_SUCCESS) std::abort();
    values[name] = {type, data};
  }
  if (depth > 64) return;
  for (std::uint32_t i = 0; store.enumKey(key, i, name) == ERROR_SUCCESS; ++i) {
    RegKey sub{};
    if (store.openKey(key, name, KEY_READ, sub) != ERROR_SUCCESS) std::abort();
    readTree(store, sub, path + "\\" + name, tree, depth + 1);
    store.closeKey(sub);
  }
}

Tree treeOf(RegistryStore& store) {
  Tree tree;
  RegKey top{};
  if (store.openKey(HKEY_CURRENT_USER, kTop, KEY_READ, top) != ERROR_SUCCESS) std::abort();
  readTree(store, top, "", tree, 0);
  store.closeKey(top);
  return tree;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  registry::readRegFile(std::string_view(reinterpret_cast<const char*>(data), size));
  FuzzedDataProvider input(data, size);
  fakes::FakeRegistryStore store;
  std::vector<std::string> keys{kTop};
  while (input.remaining_bytes() > 0 && keys.size() < 16) {
    const std::string& parent = keys[input.ConsumeIntegralInRange<std::size_t>(0, keys.size() - 1)];
    RegKey key{};
    if (input.ConsumeBool()) {
      const std::string path = parent + "\\" + input.ConsumeRandomLengthString(16);
      if (store.createKey(HKEY_CURRENT_USER, path, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, key, nullptr) !=
          ERROR_SUCCESS)
        continue;
      keys.push_back(path);
    } else {
      if (store.createKey(HKEY_CURRENT_USER, parent, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, key, nullptr) !=
          ERROR_SUCCESS)
        continue;
      const std::string name = input.ConsumeRandomLengthString(16);
      const RegType type = input.ConsumeBool() ? input.ConsumeIntegralInRange<RegType>(0, 11)
                                               : input.ConsumeIntegral<RegType>();
      const std::string bytes = input.ConsumeRandomLengthString(32);
      if (input.ConsumeBool())
        store.setValueBytes(key, name, type, bytes);
      else
        store.setValue(key, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                       static_cast<std::uint32_t>(bytes.size()));
    }
    store.closeKey(key);
  }

  registry::RegFileExport file(store);
  if (!file.addKeyTree(HKEY_CURRENT_USER, kTop)) return 0;
  fakes::FakeRegistryStore imported;
  if (!test_support::importRegFile(imported, file.fileBytes())) std::abort();
  if (treeOf(imported) != treeOf(store)) std::abort();
  return 0;
}
