#include "reg_file_import.h"

namespace velmora::test_support {

bool importAsTheSystemDoes(platform::RegistryStore& store, std::string_view fileBytes) {
  return importRegFile(store, fileBytes);
}

}  // namespace velmora::test_support
