#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_store.h"

namespace velmora::fakes {

// An in-memory registry with the seven predefined roots, for tests of the logic.
// HKEY_CLASSES_ROOT is the machine's classes key, HKEY_LOCAL_MACHINE\Software\Classes.
// String data is held as the registry holds it, UTF-16LE, and converted as the
// Win32 store converts it.
// It answers as the registry of a Wine prefix does, which the contract suite checks:
// names compare without regard to letter case (ASCII, Latin, Greek, Cyrillic and
// Armenian letters fold; other scripts compare exactly) and keep the case they were
// created with; subkeys and values enumerate sorted by their lower-cased UTF-16 form,
// the default value first; a path may not begin with a backslash, and empty levels
// ("a\\\\b", a trailing backslash) are passed over. Handles carry the access they were
// opened with, and a key deleted while a handle is open on it answers
// ERROR_KEY_DELETED through that handle. Calls may come from several threads, as
// they may to the real registry.
//
// The 32-bit view is kept as 64-bit Windows and a 64-bit Wine prefix keep it: a
// path taken from the HKEY_LOCAL_MACHINE root with KEY_WOW64_32KEY that goes
// through Software goes through Software\WOW6432Node instead. A path taken from
// an open handle is not redirected: a handle opened in the 32-bit view already
// lies there.
class FakeRegistryStore : public platform::RegistryStore {
 public:
  FakeRegistryStore();
  ~FakeRegistryStore() override;
  FakeRegistryStore(const FakeRegistryStore&) = delete;
  FakeRegistryStore& operator=(const FakeRegistryStore&) = delete;

  platform::RegStatus openKey(platform::RegKey key, const std::string& subKey, platform::RegSam access,
                              platform::RegKey& result) override;
  platform::RegStatus createKey(platform::RegKey key, const std::string& subKey, std::uint32_t options,
                                platform::RegSam access, platform::RegKey& result,
                                std::uint32_t* disposition) override;
  platform::RegStatus closeKey(platform::RegKey key) override;
  platform::RegStatus queryValue(platform::RegKey key, const std::string& name, platform::RegType* type,
                                 std::uint8_t* data, std::uint32_t* size) override;
  platform::RegStatus setValue(platform::RegKey key, const std::string& name, platform::RegType type,
                               const std::uint8_t* data, std::uint32_t size) override;
  platform::RegStatus queryValueBytes(platform::RegKey key, const std::string& name, platform::RegType& type,
                                      std::string& bytes) override;
  platform::RegStatus setValueBytes(platform::RegKey key, const std::string& name, platform::RegType type,
                                    std::string_view bytes) override;
  platform::RegStatus deleteValue(platform::RegKey key, const std::string& name) override;
  platform::RegStatus deleteKey(platform::RegKey key, const std::string& subKey) override;
  platform::RegStatus deleteKeyEx(platform::RegKey key, const std::string& subKey,
                                  platform::RegSam samDesired) override;
  platform::RegStatus enumKey(platform::RegKey key, std::uint32_t index, std::string& name) override;
  platform::RegStatus enumValue(platform::RegKey key, std::uint32_t index, std::string& name,
                                platform::RegType* type) override;
  platform::RegStatus queryInfoKey(platform::RegKey key, std::uint32_t* subKeys,
                                   std::uint32_t* maxSubKeyLength, std::uint32_t* values,
                                   std::uint32_t* maxValueNameLength) override;

  // Makes the existing key subKey below key behave like a key whose permissions let
  // the user read it but not change it: opening it with any right beyond KEY_READ,
  // creating a subkey in it and deleting it are refused with ERROR_ACCESS_DENIED.
  // False when the key does not exist.
  bool refuseFullAccess(platform::RegKey key, const std::string& subKey);

  // Makes, below the existing key subKey below key, a subkey or (asValue) a REG_SZ
  // value whose name holds a NUL, as only the native API can. False when the key
  // does not exist.
  bool plantNameWithNul(platform::RegKey key, const std::string& subKey, const std::string& name,
                        bool asValue);

  // Handles opened or created and not yet closed; the predefined roots do not count.
  std::size_t openHandleCount() const;

  // Calls made through the RegistryStore interface since construction, so that a
  // test can tell that an operation did not touch the registry at all.
  std::size_t callCount() const;

  // Runs hook before each key or value deletion, on the deleting thread outside the
  // lock, so a test can hold a deletion halfway; set before that thread starts.
  void onDelete(std::function<void()> hook) { deleteHook_ = std::move(hook); }

 private:
  struct Node;
  struct Handle {
    std::shared_ptr<Node> node;
    platform::RegSam access;
  };

  // The key behind a handle and the rights it was opened with, or an error number.
  platform::RegStatus resolve(platform::RegKey key, Handle& handle) const;
  // The key that subKey names below base, or an error number.
  platform::RegStatus walk(const std::shared_ptr<Node>& base, const std::string& subKey,
                           std::shared_ptr<Node>& found) const;
  platform::RegKey addHandle(std::shared_ptr<Node> node, platform::RegSam access);
  // The key behind a handle for a call on the value name that needs right, or an
  // error number: a name holding a NUL, a bad handle, a right the handle lacks.
  platform::RegStatus valueHandle(platform::RegKey key, const std::string& name, platform::RegSam right,
                                  Handle& handle) const;
  // Creates or replaces a value of node with data as the registry holds it.
  static void store(Node& node, const std::string& name, platform::RegType type,
                    std::vector<std::uint8_t> bytes);

  mutable std::mutex mutex_;
  std::array<std::shared_ptr<Node>, 7> roots_;
  std::map<std::uint64_t, Handle> handles_;
  std::uint64_t nextHandle_ = 0x1000;
  std::size_t calls_ = 0;
  std::function<void()> deleteHook_;
};

}  // namespace velmora::fakes
