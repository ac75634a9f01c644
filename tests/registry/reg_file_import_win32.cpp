// The registry headers name the registry's constants as Windows does, so they come
// before <windows.h>.
#include "reg_file_import.h"

#include <windows.h>

#include <fstream>
#include <string>

namespace velmora::test_support {

bool importAsTheSystemDoes(platform::RegistryStore&, std::string_view fileBytes) {
  wchar_t folder[MAX_PATH];
  wchar_t file[MAX_PATH];
  if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"vrg", 0, file)) return false;
  {
    std::ofstream out(file, std::ios::binary);
    out.write(fileBytes.data(), static_cast<std::streamsize>(fileBytes.size()));
    if (!out) return false;
  }
  std::wstring command = L"regedit.exe /s \"" + std::wstring(file) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  bool imported = false;
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process)) {
    DWORD code = 1;
    imported = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0 &&
               GetExitCodeProcess(process.hProcess, &code) && code == 0;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  DeleteFileW(file);
  return imported;
}

}  // namespace velmora::test_support
