#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_store.h"

// What the registry suites share: the store they run against, and a throwaway key of
// their own in it.
namespace velmora::test_support {

// The store under test: a fresh in-memory fake in the native build, the registry of
// the Wine prefix in the Windows build.
std::unique_ptr<platform::RegistryStore> makeRegistryStoreUnderTest();

// Deletes subKey below key with everything below it, through the store's own calls.
platform::RegStatus deleteTree(platform::RegistryStore& store, platform::RegKey key,
                               const std::string& subKey);

// A key made for one test, HKEY_CURRENT_USER\Software\<area>-<unique name>, removed
// with everything below it when the object goes, so that tests running side by side
// under one Wine prefix never meet and leave nothing behind.
class ScratchKey {
 public:
  ScratchKey(platform::RegistryStore& store, std::string_view area);
  ~ScratchKey();
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  // The key's path below HKEY_CURRENT_USER, without a trailing backslash.
  const std::string& path() const { return path_; }
  // A handle to the key, open with full access.
  platform::RegKey key() const { return key_; }

  // Helpers that build content below the key; each fails the running test when the
  // store refuses. subKey is relative to the scratch key, empty for the key itself.
  void createKey(const std::string& subKey);
  void setValue(const std::string& subKey, const std::string& name, platform::RegType type,
                const std::vector<std::uint8_t>& data);
  void setText(const std::string& subKey, const std::string& name, std::string_view text,
               platform::RegType type = platform::REG_SZ);
  void setNumber(const std::string& subKey, const std::string& name, std::uint32_t number);
  bool keyExists(const std::string& subKey) const;

 private:
  platform::RegistryStore& store_;
  std::string path_;
  platform::RegKey key_{};
};

}  // namespace velmora::test_support
