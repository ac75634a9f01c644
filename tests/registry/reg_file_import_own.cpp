#include "reg_file_import.h"

#include "registry/reg_file_reader.h"
#include "registry/reg_file_restore.h"

namespace velmora::test_support {

bool importRegFile(platform::RegistryStore& store, std::string_view bytes) {
  const std::optional<registry::RegFileContents> contents = registry::readRegFile(bytes);
  // The registry editor writes over whatever is there.
  return contents && registry::applyRestore(store, *contents, registry::planRestore(store, *contents), true)
                         .failures.empty();
}

}  // namespace velmora::test_support
