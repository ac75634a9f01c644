#pragma once

#include "platform/registry_store.h"

namespace velmora::platform::win32 {

// The registry of the running Windows, through the wide ADVAPI32 functions. Names and
// the data of REG_SZ, REG_EXPAND_SZ and REG_MULTI_SZ values are converted between the
// registry's UTF-16 and the program's UTF-8 here; all other data passes unchanged.
//
// Sizes: a string value is read whole and converted before its size is reported, so
// the size of a size-only query is the number of UTF-8 bytes a read will hand over,
// not the number of UTF-16 bytes the registry holds. The longest names of
// queryInfoKey are likewise UTF-8 lengths, found by listing the key's names.
class RegistryStoreWin32 final : public RegistryStore {
 public:
  RegStatus openKey(RegKey key, const std::string& subKey, RegSam access, RegKey& result) override;
  RegStatus createKey(RegKey key, const std::string& subKey, std::uint32_t options, RegSam access,
                      RegKey& result, std::uint32_t* disposition) override;
  RegStatus closeKey(RegKey key) override;
  RegStatus queryValue(RegKey key, const std::string& name, RegType* type, std::uint8_t* data,
                       std::uint32_t* size) override;
  RegStatus setValue(RegKey key, const std::string& name, RegType type, const std::uint8_t* data,
                     std::uint32_t size) override;
  RegStatus queryValueBytes(RegKey key, const std::string& name, RegType& type, std::string& bytes) override;
  RegStatus setValueBytes(RegKey key, const std::string& name, RegType type, std::string_view bytes) override;
  RegStatus deleteValue(RegKey key, const std::string& name) override;
  RegStatus deleteKey(RegKey key, const std::string& subKey) override;
  RegStatus deleteKeyEx(RegKey key, const std::string& subKey, RegSam samDesired) override;
  RegStatus enumKey(RegKey key, std::uint32_t index, std::string& name) override;
  RegStatus enumValue(RegKey key, std::uint32_t index, std::string& name, RegType* type) override;
  RegStatus queryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLength,
                         std::uint32_t* values, std::uint32_t* maxValueNameLength) override;
};

}  // namespace velmora::platform::win32
