#include "platform/win32/registry_store_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/win32/wide.h"

// From here on the registry names (REG_SZ, ERROR_SUCCESS, HKEY_CURRENT_USER, ...) are
// the <windows.h> macros. Their numbers are the ones registry_store.h gives the
// program, so results pass through unchanged; only key handles need translating.
namespace velmora::platform::win32 {

namespace {

// The program numbers the predefined roots 0x80000000 to 0x80000006, as Win32 does
// on paper; a 64-bit HKEY holds them sign-extended (0xFFFFFFFF80000001).
HKEY toHkey(RegKey key) {
  const auto value = static_cast<std::uint64_t>(key);
  if (isPredefinedKey(key)) {
    const auto root = static_cast<LONG>(static_cast<std::uint32_t>(value));
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(root));
  }
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(value));
}

// The handle Win32 gave, in the program's numbering. Wine hands back the predefined
// root itself when a root is opened with an empty path (Windows opens a new handle).
RegKey fromHkey(HKEY key) {
  const auto value = static_cast<std::uint64_t>(reinterpret_cast<ULONG_PTR>(key));
  const auto low = static_cast<std::uint32_t>(value);
  const auto signExtended =
      static_cast<std::uint64_t>(static_cast<std::int64_t>(static_cast<std::int32_t>(low)));
  if (value == signExtended && isPredefinedKey(RegKey{low})) return RegKey{low};
  return RegKey{value};
}

bool isStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// Reads a value whole, type and data in one call so that both belong to the same
// state of the value, growing the buffer while the value grows under us. The
// performance-data root answers ERROR_MORE_DATA without saying how much it needs,
// so the buffer also grows by itself, up to a bound.
LONG readWhole(HKEY key, const std::wstring& name, DWORD& type, std::vector<BYTE>& data) {
  constexpr DWORD kLargest = 64 * 1024 * 1024;
  DWORD size = 0;
  LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
  while (status == ERROR_SUCCESS) {
    data.resize(size);
    DWORD got = size;
    status = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.empty() ? nullptr : data.data(), &got);
    if (status == ERROR_MORE_DATA && size < kLargest) {
      size = std::min(kLargest, std::max(got, size * 2 + 256));
      status = ERROR_SUCCESS;
      continue;
    }
    if (status == ERROR_SUCCESS) data.resize(got);
    break;
  }
  return status;
}

// UTF-16 string data as UTF-8 bytes, every NUL kept where it was. An odd last byte,
// which no UTF-16 text can hold, is dropped.
std::string stringDataToUtf8(const std::vector<BYTE>& data) {
  std::wstring wide(data.size() / sizeof(wchar_t), L'\0');
  if (!wide.empty()) std::memcpy(wide.data(), data.data(), wide.size() * sizeof(wchar_t));
  return narrow(wide);
}

// A name as RegEnumKeyExW or RegEnumValueW returns it, growing the buffer as needed.
template <typename Enumerate>
LONG enumerateName(Enumerate enumerate, std::string& name) {
  std::vector<wchar_t> buffer(256);
  for (;;) {
    DWORD length = static_cast<DWORD>(buffer.size());
    const LONG status = enumerate(buffer.data(), &length);
    if (status == ERROR_MORE_DATA && buffer.size() < 65536) {
      buffer.resize(buffer.size() * 4);
      continue;
    }
    if (status != ERROR_SUCCESS) return status;
    // A name made through the native API may hold a NUL: RegEnumKeyExW and
    // RegEnumValueW hand it out whole, its length counting past the NUL (Wine does
    // the same), but the calls that take a name would cut it there and reach
    // another entry.
    const std::wstring_view listed(buffer.data(), length);
    if (listed.find(L'\0') != std::wstring_view::npos) return ERROR_INVALID_NAME;
    name = narrow(listed);
    return status;
  }
}

// Whether a name or path holds a NUL, which the W functions would take as its end.
bool holdsNul(std::string_view name) { return name.find('\0') != std::string_view::npos; }

}  // namespace

RegStatus RegistryStoreWin32::openKey(RegKey key, const std::string& subKey, RegSam access, RegKey& result) {
  if (holdsNul(subKey)) return ERROR_INVALID_NAME;
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExW(toHkey(key), widen(subKey).c_str(), 0, access, &opened);
  if (status == ERROR_SUCCESS) result = fromHkey(opened);
  return status;
}

RegStatus RegistryStoreWin32::createKey(RegKey key, const std::string& subKey, std::uint32_t options,
                                        RegSam access, RegKey& result, std::uint32_t* disposition) {
  if (holdsNul(subKey)) return ERROR_INVALID_NAME;
  HKEY created = nullptr;
  DWORD how = 0;
  const LONG status = RegCreateKeyExW(toHkey(key), widen(subKey).c_str(), 0, nullptr, options, access,
                                      nullptr, &created, &how);
  if (status == ERROR_SUCCESS) {
    result = fromHkey(created);
    if (disposition) *disposition = how;
  }
  return status;
}

RegStatus RegistryStoreWin32::closeKey(RegKey key) { return RegCloseKey(toHkey(key)); }

RegStatus RegistryStoreWin32::queryValue(RegKey key, const std::string& name, RegType* type,
                                         std::uint8_t* data, std::uint32_t* size) {
  if (holdsNul(name)) return ERROR_INVALID_NAME;
  if (data && !size) return ERROR_INVALID_PARAMETER;
  DWORD storedType = REG_NONE;
  std::vector<BYTE> stored;
  const LONG status = readWhole(toHkey(key), widen(name), storedType, stored);
  if (status != ERROR_SUCCESS) return status;

  std::string converted;
  std::string_view bytes(reinterpret_cast<const char*>(stored.data()), stored.size());
  if (isStringType(storedType)) {
    converted = stringDataToUtf8(stored);
    bytes = converted;
  }
  const auto length = static_cast<std::uint32_t>(bytes.size());
  if (type) *type = storedType;
  if (data) {
    if (*size < length) {
      *size = length;
      return ERROR_MORE_DATA;
    }
    if (length > 0) std::memcpy(data, bytes.data(), length);
  }
  if (size) *size = length;
  return ERROR_SUCCESS;
}

RegStatus RegistryStoreWin32::setValue(RegKey key, const std::string& name, RegType type,
                                       const std::uint8_t* data, std::uint32_t size) {
  if (holdsNul(name)) return ERROR_INVALID_NAME;
  if (!data && size > 0) return ERROR_NOACCESS;
  if (!isStringType(type)) return RegSetValueExW(toHkey(key), widen(name).c_str(), 0, type, data, size);
  const std::wstring text = widen(std::string_view(reinterpret_cast<const char*>(data), size));
  if (text.size() > MAXDWORD / sizeof(wchar_t)) return ERROR_INVALID_PARAMETER;
  return RegSetValueExW(toHkey(key), widen(name).c_str(), 0, type, reinterpret_cast<const BYTE*>(text.data()),
                        static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

RegStatus RegistryStoreWin32::queryValueBytes(RegKey key, const std::string& name, RegType& type,
                                              std::string& bytes) {
  if (holdsNul(name)) return ERROR_INVALID_NAME;
  DWORD storedType = REG_NONE;
  std::vector<BYTE> stored;
  const LONG status = readWhole(toHkey(key), widen(name), storedType, stored);
  if (status != ERROR_SUCCESS) return status;
  type = storedType;
  bytes.assign(reinterpret_cast<const char*>(stored.data()), stored.size());
  return ERROR_SUCCESS;
}

RegStatus RegistryStoreWin32::setValueBytes(RegKey key, const std::string& name, RegType type,
                                            std::string_view bytes) {
  if (holdsNul(name)) return ERROR_INVALID_NAME;
  if (bytes.size() > MAXDWORD) return ERROR_INVALID_PARAMETER;
  return RegSetValueExW(toHkey(key), widen(name).c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
}

RegStatus RegistryStoreWin32::deleteValue(RegKey key, const std::string& name) {
  if (holdsNul(name)) return ERROR_INVALID_NAME;
  return RegDeleteValueW(toHkey(key), widen(name).c_str());
}

RegStatus RegistryStoreWin32::deleteKey(RegKey key, const std::string& subKey) {
  if (holdsNul(subKey)) return ERROR_INVALID_NAME;
  return RegDeleteKeyW(toHkey(key), widen(subKey).c_str());
}

RegStatus RegistryStoreWin32::deleteKeyEx(RegKey key, const std::string& subKey, RegSam samDesired) {
  if (holdsNul(subKey)) return ERROR_INVALID_NAME;
  // The program's own view is RegDeleteKey's; RegDeleteKeyEx documents only the
  // two view flags.
  if (samDesired == 0) return deleteKey(key, subKey);
  return RegDeleteKeyExW(toHkey(key), widen(subKey).c_str(), samDesired, 0);
}

RegStatus RegistryStoreWin32::enumKey(RegKey key, std::uint32_t index, std::string& name) {
  const HKEY handle = toHkey(key);
  return enumerateName(
      [handle, index](wchar_t* buffer, DWORD* length) {
        return RegEnumKeyExW(handle, index, buffer, length, nullptr, nullptr, nullptr, nullptr);
      },
      name);
}

RegStatus RegistryStoreWin32::enumValue(RegKey key, std::uint32_t index, std::string& name, RegType* type) {
  const HKEY handle = toHkey(key);
  DWORD valueType = REG_NONE;
  const LONG status = enumerateName(
      [handle, index, &valueType](wchar_t* buffer, DWORD* length) {
        return RegEnumValueW(handle, index, buffer, length, nullptr, &valueType, nullptr, nullptr);
      },
      name);
  if (status == ERROR_SUCCESS && type) *type = valueType;
  return status;
}

RegStatus RegistryStoreWin32::queryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLength,
                                           std::uint32_t* values, std::uint32_t* maxValueNameLength) {
  DWORD subKeyCount = 0;
  DWORD valueCount = 0;
  const LONG status = RegQueryInfoKeyW(toHkey(key), nullptr, nullptr, nullptr, &subKeyCount, nullptr, nullptr,
                                       &valueCount, nullptr, nullptr, nullptr, nullptr);
  if (status != ERROR_SUCCESS) return status;
  if (subKeys) *subKeys = subKeyCount;
  if (values) *values = valueCount;

  // Windows counts the longest names in UTF-16 units; the program's names are UTF-8,
  // whose length only the names themselves can tell.
  std::string name;
  if (maxSubKeyLength) {
    std::uint32_t longest = 0;
    LONG listed = ERROR_SUCCESS;
    for (DWORD i = 0; (listed = enumKey(key, i, name)) == ERROR_SUCCESS || listed == ERROR_INVALID_NAME; ++i)
      if (listed == ERROR_SUCCESS) longest = std::max(longest, static_cast<std::uint32_t>(name.size()));
    if (listed != ERROR_NO_MORE_ITEMS) return listed;
    *maxSubKeyLength = longest;
  }
  if (maxValueNameLength) {
    std::uint32_t longest = 0;
    LONG listed = ERROR_SUCCESS;
    for (DWORD i = 0;
         (listed = enumValue(key, i, name, nullptr)) == ERROR_SUCCESS || listed == ERROR_INVALID_NAME; ++i)
      if (listed == ERROR_SUCCESS) longest = std::max(longest, static_cast<std::uint32_t>(name.size()));
    if (listed != ERROR_NO_MORE_ITEMS) return listed;
    *maxValueNameLength = longest;
  }
  return ERROR_SUCCESS;
}

}  // namespace velmora::platform::win32
