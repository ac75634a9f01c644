#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry_store.h"
#include "registry/registry_exception.h"

namespace velmora::registry {

// What kind of data a value holds, as the program classifies it. The numbers are the
// program's own, not the registry's type codes: Number is REG_DWORD (type 4) and
// Binary is REG_BINARY (type 3). Every other type, and a missing value, is Unknown.
enum class RegValueKind : int { Unknown = 0, Text = 1, ExpandText = 2, Number = 3, Binary = 4 };

// The registry object through which the program reads, lists, writes and deletes
// registry keys and values: one root key and at most one open key below it.
//
// Paths: a path that does not begin with a backslash is taken below the open key when
// one is open; a path with a leading backslash, or any path while no key is open, is
// taken below the root, the backslash dropped. An empty path names that base itself.
//
// Keys are opened with full access (KEY_ALL_ACCESS) until OpenForRead succeeds once;
// from then on the object opens every key with KEY_READ.
//
// The object works in the program's own registry view unless SetView chooses
// another (KEY_WOW64_32KEY: what 32-bit programs see); keys are then opened,
// created and removed in that view.
//
// Only ReadText, ReadNumber, WriteText and WriteNumber throw (ERegistryException);
// every other operation reports failure through its result. The object is used by
// one thread at a time.
class TRegistry {
 public:
  // Rooted at HKEY_CURRENT_USER, full access, no key open.
  explicit TRegistry(platform::RegistryStore& store);
  // Closes the open key.
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // Replaces the root; a different root closes the open key first, the same root
  // changes nothing.
  void SetRoot(platform::RegKey root);

  // Chooses the registry view of every later open, create and removal: 0 for the
  // program's own, KEY_WOW64_32KEY or KEY_WOW64_64KEY. Set it before opening keys.
  void SetView(platform::RegSam view) { view_ = view; }

  // Opens path from the base and makes it the open key, closing the one that was open.
  // With create, missing levels of a non-empty path are created. On failure the
  // object is unchanged: a key that was open stays open.
  bool Open(const std::string& path, bool create);

  // As Open without create, but with KEY_READ, which stays the object's access for
  // the rest of its life once this succeeds.
  bool OpenForRead(const std::string& path);

  // Closes the open key, if any.
  void Close();

  // Whether path can be opened from the base with the object's access. The open key
  // does not change.
  bool HasKey(const std::string& path) const;

  // Whether the open key holds a value of that name; the empty name is the default
  // value. False when no key is open.
  bool HasValue(const std::string& name) const;

  // The kind of the named value of the open key; Unknown when it cannot be queried.
  RegValueKind ValueKind(const std::string& name) const;

  // The text of a REG_SZ or REG_EXPAND_SZ value, up to its first NUL and unexpanded.
  // A missing value, or one without data, is the empty text whatever its type. Throws
  // "Failed to get data for '<name>'" when the data can't be read and "Invalid data
  // type for '<name>'" when the value holds another type.
  std::string ReadText(const std::string& name) const;

  // The REG_DWORD value, as a signed number. Throws "Failed to get data for '<name>'"
  // when the value is missing or longer than 4 bytes, "Invalid data type for
  // '<name>'" when it holds another type.
  std::int32_t ReadNumber(const std::string& name) const;

  // Writes the text as REG_SZ with a terminating NUL. Throws "Failed to set data for
  // '<name>'" when the write fails, also when no key is open.
  void WriteText(const std::string& name, const std::string& text);

  // Writes the number as REG_DWORD; a failure as WriteText. A boolean is written as
  // 1 or 0.
  void WriteNumber(const std::string& name, std::int32_t number);

  // Empties list, then fills it with the names of the open key's subkeys (values) in
  // the store's enumeration order, the default value as an empty name. The list stays
  // empty when no key is open or the key can't be queried.
  void ListSubkeys(std::vector<std::string>& list) const;
  void ListValues(std::vector<std::string>& list) const;

  // The number of subkeys and values of the open key; false when no key is open or
  // the key can't be queried.
  bool KeyCounts(std::uint32_t& subkeys, std::uint32_t& values) const;

  // Removes path (from the base) with everything below it: each subkey first, from
  // the highest index down, passing over any that fail, then the key itself. True
  // when the key itself was removed. The open key does not change. An empty path,
  // which would name the open key or the whole root, removes nothing and fails, and
  // so does a tree deeper than the registry allows (512 levels).
  bool RemoveKeyTree(const std::string& path);

  // Deletes the named value of the open key; false when no key is open or the value
  // can't be deleted (also when it does not exist).
  bool RemoveValue(const std::string& name);

  platform::RegKey Root() const { return root_; }
  platform::RegSam Access() const { return access_; }
  platform::RegSam View() const { return view_; }
  bool IsOpen() const { return current_ != platform::RegKey{}; }

 private:
  // Applies the base rule: returns the key path is taken from and drops a leading
  // backslash from path when the base is the root.
  platform::RegKey baseFor(std::string& path) const;
  void replaceOpenKey(platform::RegKey key);
  bool removeTree(platform::RegKey base, const std::string& path, int depth);

  platform::RegistryStore& store_;
  platform::RegKey root_ = platform::HKEY_CURRENT_USER;
  platform::RegSam access_ = platform::KEY_ALL_ACCESS;
  platform::RegSam view_ = 0;
  platform::RegKey current_{};
};

}  // namespace velmora::registry
