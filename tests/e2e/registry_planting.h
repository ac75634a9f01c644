#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Putting test entries into the registry of the test prefix, directly through
// Windows, never through the program's code. view chooses the registry view (0
// for the test's own, KEY_WOW64_32KEY for what 32-bit programs see).
namespace velmora::e2e {

// Where Windows lists the installed programs, in either view and either hive.
inline const std::wstring kUninstall = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

void setValue(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type, const void* data,
              DWORD size, REGSAM view = 0);
void setText(HKEY root, const std::wstring& path, const std::wstring& name, const std::wstring& text,
             REGSAM view = 0);
void createKey(HKEY root, const std::wstring& path, REGSAM view = 0);

// One planted entry: a value, or (with no value name) a whole key, in a view.
struct Planted {
  HKEY root;
  std::wstring key;
  std::optional<std::wstring> value;
  REGSAM view = 0;
};
bool exists(const Planted& item);
// Removes the entry, a key with everything below it; what is not there is passed over.
void remove(const Planted& item);

}  // namespace velmora::e2e
