// Stands in for the browser in the update window's test: registered as the
// program that opens http addresses, it writes the address it was handed (its
// second argument) as UTF-8 into the file its first argument names, and ends.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  char address[4096];
  const int length = WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, address, sizeof(address), nullptr, nullptr);
  if (length <= 0) return 1;
  HANDLE file =
      CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, address, static_cast<DWORD>(length - 1), &written, nullptr);
  CloseHandle(file);
  return ok ? 0 : 1;
}
