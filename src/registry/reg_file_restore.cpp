#include "registry/reg_file_restore.h"

#include "registry/reg_file_export.h"

namespace velmora::registry {

using namespace platform;

RestoreResult restoreRegFile(RegistryStore& store, const RegFileContents& contents) {
  RestoreResult result;
  for (const RegFileSection& section : contents.sections) {
    const std::string where = std::string(regFileRootName(section.root)) + "\\" + section.keyPath;
    RegKey key{};
    const RegStatus created =
        store.createKey(section.root, section.keyPath, REG_OPTION_NON_VOLATILE, KEY_WRITE, key, nullptr);
    if (created != ERROR_SUCCESS) {
      // Neither the key nor anything in it can be put back.
      result.failures.push_back({where, created});
      for (const RegFileValue& value : section.values)
        result.failures.push_back({where + "\\" + value.name, created});
      continue;
    }
    ++result.restoredCount;
    for (const RegFileValue& value : section.values) {
      const RegStatus written = store.setValueBytes(key, value.name, value.type, value.bytes);
      if (written == ERROR_SUCCESS)
        ++result.restoredCount;
      else
        result.failures.push_back({where + "\\" + value.name, written});
    }
    store.closeKey(key);
  }
  return result;
}

}  // namespace velmora::registry
