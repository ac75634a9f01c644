#include "registry_planting.h"

#include <gtest/gtest.h>

namespace velmora::e2e {

void setValue(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type, const void* data,
              DWORD size, REGSAM view) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  RegCloseKey(key);
}

void setText(HKEY root, const std::wstring& path, const std::wstring& name, const std::wstring& text,
             REGSAM view) {
  setValue(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)),
           view);
}

void createKey(HKEY root, const std::wstring& path, REGSAM view) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

bool exists(const Planted& item) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(item.root, item.key.c_str(), 0, KEY_READ | item.view, &key) != ERROR_SUCCESS)
    return false;
  const bool found = !item.value || RegQueryValueExW(key, item.value->c_str(), nullptr, nullptr, nullptr,
                                                     nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return found;
}

void remove(const Planted& item) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(item.root, item.key.c_str(), 0, KEY_ALL_ACCESS | item.view, &key) != ERROR_SUCCESS)
    return;
  if (item.value)
    RegDeleteValueW(key, item.value->c_str());
  else
    RegDeleteTreeW(key, nullptr);
  RegCloseKey(key);
  if (!item.value) RegDeleteKeyExW(item.root, item.key.c_str(), item.view, 0);
}

}  // namespace velmora::e2e
