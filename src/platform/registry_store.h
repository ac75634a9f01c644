#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The constants below carry the names and numbers of the Win32 registry API, so that
// code written against this interface reads like the registry calls it stands for.
// <windows.h> defines the same names as macros; included first, it would turn these
// declarations into nonsense, so a Win32 file must include this header before it.
#ifdef HKEY_CURRENT_USER
#error "Include platform/registry_store.h before <windows.h>."
#endif

namespace velmora::platform {

// A registry key handle: one of the seven predefined roots, or a key that a store
// opened or created. Only the store that handed it out can interpret it; 0 is no key.
enum class RegKey : std::uint64_t {};

// The result of every call: ERROR_SUCCESS or a Win32 error number.
using RegStatus = std::int32_t;
// An access mask (REGSAM).
using RegSam = std::uint32_t;
// A value type code (REG_SZ, REG_DWORD, ...).
using RegType = std::uint32_t;

// The predefined roots, with the numbers Win32 gives them.
inline constexpr RegKey HKEY_CLASSES_ROOT{0x80000000};
inline constexpr RegKey HKEY_CURRENT_USER{0x80000001};
inline constexpr RegKey HKEY_LOCAL_MACHINE{0x80000002};
inline constexpr RegKey HKEY_USERS{0x80000003};
inline constexpr RegKey HKEY_PERFORMANCE_DATA{0x80000004};
inline constexpr RegKey HKEY_CURRENT_CONFIG{0x80000005};
inline constexpr RegKey HKEY_DYN_DATA{0x80000006};

// True for the seven handles above, which are never opened and need no closing.
constexpr bool isPredefinedKey(RegKey key) {
  const auto value = static_cast<std::uint64_t>(key);
  return value >= 0x80000000 && value <= 0x80000006;
}

// Access rights of a key handle.
inline constexpr RegSam KEY_QUERY_VALUE = 0x0001;
inline constexpr RegSam KEY_SET_VALUE = 0x0002;
inline constexpr RegSam KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr RegSam KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr RegSam KEY_NOTIFY = 0x0010;
inline constexpr RegSam KEY_CREATE_LINK = 0x0020;
inline constexpr RegSam KEY_READ = 0x20019;
inline constexpr RegSam KEY_WRITE = 0x20006;
inline constexpr RegSam KEY_EXECUTE = 0x20019;
inline constexpr RegSam KEY_ALL_ACCESS = 0xF003F;
// Flags added to an access mask that choose a registry view instead of asking for
// a right. A 64-bit program sees the 64-bit view; with KEY_WOW64_32KEY it reaches
// what 32-bit programs see, where HKEY_LOCAL_MACHINE\Software is kept apart, at
// HKEY_LOCAL_MACHINE\Software\WOW6432Node. HKEY_CURRENT_USER\Software is shared
// by both views.
inline constexpr RegSam KEY_WOW64_64KEY = 0x0100;
inline constexpr RegSam KEY_WOW64_32KEY = 0x0200;

// Options and dispositions of createKey.
inline constexpr std::uint32_t REG_OPTION_NON_VOLATILE = 0;
inline constexpr std::uint32_t REG_OPTION_VOLATILE = 1;
inline constexpr std::uint32_t REG_CREATED_NEW_KEY = 1;
inline constexpr std::uint32_t REG_OPENED_EXISTING_KEY = 2;

// Value types. A store keeps whatever type it is given; these are the ones with a name.
inline constexpr RegType REG_NONE = 0;
inline constexpr RegType REG_SZ = 1;
inline constexpr RegType REG_EXPAND_SZ = 2;
inline constexpr RegType REG_BINARY = 3;
inline constexpr RegType REG_DWORD = 4;
inline constexpr RegType REG_DWORD_BIG_ENDIAN = 5;
inline constexpr RegType REG_LINK = 6;
inline constexpr RegType REG_MULTI_SZ = 7;
inline constexpr RegType REG_RESOURCE_LIST = 8;
inline constexpr RegType REG_FULL_RESOURCE_DESCRIPTOR = 9;
inline constexpr RegType REG_RESOURCE_REQUIREMENTS_LIST = 10;
inline constexpr RegType REG_QWORD = 11;

// The Win32 error numbers the registry calls return.
inline constexpr RegStatus ERROR_SUCCESS = 0;
inline constexpr RegStatus ERROR_FILE_NOT_FOUND = 2;
inline constexpr RegStatus ERROR_ACCESS_DENIED = 5;
inline constexpr RegStatus ERROR_INVALID_HANDLE = 6;
inline constexpr RegStatus ERROR_FILE_EXISTS = 80;
inline constexpr RegStatus ERROR_CANNOT_MAKE = 82;
inline constexpr RegStatus ERROR_INVALID_PARAMETER = 87;
inline constexpr RegStatus ERROR_INVALID_NAME = 123;
inline constexpr RegStatus ERROR_BAD_PATHNAME = 161;
inline constexpr RegStatus ERROR_MORE_DATA = 234;
inline constexpr RegStatus ERROR_NO_MORE_ITEMS = 259;
inline constexpr RegStatus ERROR_NOACCESS = 998;
inline constexpr RegStatus ERROR_KEY_DELETED = 1018;

// The registry as the logic sees it: the Win32 registry calls with their arguments,
// results and error numbers, with UTF-8 text in place of UTF-16.
//
// Text: key and value names are UTF-8. Data of the three string types (REG_SZ,
// REG_EXPAND_SZ, REG_MULTI_SZ) is UTF-8 bytes, with whatever terminating NULs it was
// stored with; data of every other type is raw bytes. Every data size a store reports
// is the size of exactly the bytes it would hand over, so a size-only query followed
// by a read with a buffer of that size succeeds (unless the value changes between the
// two calls).
//
// Names compare without regard to letter case and keep the case they were created
// with. A key's subkeys and values are listed in the store's enumeration order.
//
// Names that hold a NUL: the native API can make a key or value whose name holds a
// NUL character, which some programs do to hide an entry. Such a name cut at the
// NUL names another entry (the key's default value, the key's own parent for an
// empty key name), so no call takes or hands out one: enumKey and enumValue answer
// ERROR_INVALID_NAME for it (the name is not handed out; the next index goes on),
// and every call given a name or path that holds a NUL answers ERROR_INVALID_NAME
// and touches nothing.
//
// A store may be called from several threads at once, each with its own handles.
class RegistryStore {
 public:
  virtual ~RegistryStore() = default;

  // RegOpenKeyEx(key, subKey, 0, access, &result). subKey is a backslash-separated
  // path below key; empty opens a new handle to key itself. Missing key:
  // ERROR_FILE_NOT_FOUND; access refused: ERROR_ACCESS_DENIED; a leading backslash:
  // ERROR_BAD_PATHNAME. result is set only on success. A view flag in access
  // (KEY_WOW64_32KEY) chooses the view the path is taken in; so does it for
  // createKey.
  virtual RegStatus openKey(RegKey key, const std::string& subKey, RegSam access, RegKey& result) = 0;

  // RegCreateKeyEx(key, subKey, 0, no class, options, access, no security, &result,
  // disposition): opens subKey below key, creating every missing level. disposition,
  // when given, receives REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY.
  virtual RegStatus createKey(RegKey key, const std::string& subKey, std::uint32_t options, RegSam access,
                              RegKey& result, std::uint32_t* disposition) = 0;

  // RegCloseKey: ERROR_INVALID_HANDLE for a handle that is not open; closing a
  // predefined root succeeds and changes nothing.
  virtual RegStatus closeKey(RegKey key) = 0;

  // RegQueryValueEx(key, name, 0, type, data, size); the empty name is the default
  // value. type, data and size are each optional, with the Win32 rules: data without
  // size is ERROR_INVALID_PARAMETER; no data with a size is a size-only query; a
  // buffer smaller than the data is ERROR_MORE_DATA with *size set to the size
  // needed. A missing value is ERROR_FILE_NOT_FOUND.
  virtual RegStatus queryValue(RegKey key, const std::string& name, RegType* type, std::uint8_t* data,
                               std::uint32_t* size) = 0;

  // RegSetValueEx(key, name, 0, type, data, size): creates or replaces the value.
  // String data that does not end with a NUL is stored with one added. Windows asks
  // callers to count the terminating NUL; Wine adds one that was left out when the
  // text is followed by a NUL in memory, as a converted text always is, and the fake
  // does the same so that the two agree.
  virtual RegStatus setValue(RegKey key, const std::string& name, RegType type, const std::uint8_t* data,
                             std::uint32_t size) = 0;

  // RegQueryValueEx(key, name, 0, &type, data, &size) with the whole of the data as
  // the registry holds it: the data of the string types as UTF-16LE bytes, an odd
  // byte count, an unpaired surrogate and every NUL included, which the UTF-8 of
  // queryValue cannot carry. What a backup must hold to put a value back exactly.
  virtual RegStatus queryValueBytes(RegKey key, const std::string& name, RegType& type,
                                    std::string& bytes) = 0;

  // RegSetValueEx(key, name, 0, type, bytes, size) with the data as the registry is
  // to hold it, string data as UTF-16LE bytes, stored as given.
  virtual RegStatus setValueBytes(RegKey key, const std::string& name, RegType type,
                                  std::string_view bytes) = 0;

  // RegDeleteValue(key, name): ERROR_FILE_NOT_FOUND when there is no such value.
  virtual RegStatus deleteValue(RegKey key, const std::string& name) = 0;

  // RegDeleteKey(key, subKey): deletes a key with its values but refuses, with
  // ERROR_ACCESS_DENIED, one that still has subkeys. An empty subKey deletes key itself.
  virtual RegStatus deleteKey(RegKey key, const std::string& subKey) = 0;

  // RegDeleteKeyEx(key, subKey, samDesired, 0): deleteKey in the registry view that
  // samDesired names (KEY_WOW64_32KEY or KEY_WOW64_64KEY; 0 is the program's own).
  virtual RegStatus deleteKeyEx(RegKey key, const std::string& subKey, RegSam samDesired) = 0;

  // RegEnumKeyEx(key, index, ...): the name of the index-th subkey, or
  // ERROR_NO_MORE_ITEMS past the last one. The name is returned whole, so the call
  // never fails for want of buffer space.
  virtual RegStatus enumKey(RegKey key, std::uint32_t index, std::string& name) = 0;

  // RegEnumValue(key, index, ...): the name (empty for the default value) and, when
  // type is given, the type of the index-th value; ERROR_NO_MORE_ITEMS past the last.
  virtual RegStatus enumValue(RegKey key, std::uint32_t index, std::string& name, RegType* type) = 0;

  // RegQueryInfoKey(key, ...): the number of subkeys and of values, and the length of
  // the longest subkey name and of the longest value name, in UTF-8 bytes without a
  // terminating NUL. Each output is optional; ask only for what is needed, since the
  // longest names can cost a walk over the key.
  virtual RegStatus queryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLength,
                                 std::uint32_t* values, std::uint32_t* maxValueNameLength) = 0;
};

}  // namespace velmora::platform
