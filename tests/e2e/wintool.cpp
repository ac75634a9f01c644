// A small console tool the scripts use to drive the program's windows under Wine:
//   wintool wait CAPTION SECONDS   succeeds once a visible top-level window has CAPTION
//   wintool waitany SECONDS CAPTION...  prints the first caption shown of several
//   wintool rect CAPTION           prints its outer rectangle as WIDTHxHEIGHT+X+Y
//   wintool close CAPTION          sends it WM_CLOSE
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND findVisible(const wchar_t* caption) {
  HWND hwnd = nullptr;
  while ((hwnd = FindWindowExW(nullptr, hwnd, nullptr, caption)) != nullptr)
    if (IsWindowVisible(hwnd)) return hwnd;
  return nullptr;
}

int usage() {
  std::fwprintf(stderr, L"usage: wintool wait CAPTION SECONDS | rect CAPTION | close CAPTION\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return usage();
  std::wstring verb = argv[1];
  if (verb == L"waitany") {
    const DWORD limit = static_cast<DWORD>(_wtoi(argv[2])) * 1000;
    const DWORD start = GetTickCount();
    for (;;) {
      for (int i = 3; i < argc; ++i)
        if (findVisible(argv[i])) {
          std::wprintf(L"%ls\n", argv[i]);
          return 0;
        }
      if (GetTickCount() - start > limit) return 1;
      Sleep(100);
    }
  }
  const wchar_t* caption = argv[2];
  if (verb == L"wait") {
    if (argc < 4) return usage();
    const DWORD limit = static_cast<DWORD>(_wtoi(argv[3])) * 1000;
    const DWORD start = GetTickCount();
    while (!findVisible(caption)) {
      if (GetTickCount() - start > limit) {
        std::fwprintf(stderr, L"wintool: no window \"%ls\" within %ls s\n", caption, argv[3]);
        return 1;
      }
      Sleep(100);
    }
    return 0;
  }
  HWND hwnd = findVisible(caption);
  if (!hwnd) {
    std::fwprintf(stderr, L"wintool: no window \"%ls\"\n", caption);
    return 1;
  }
  if (verb == L"rect") {
    RECT r;
    GetWindowRect(hwnd, &r);
    std::wprintf(L"%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    return 0;
  }
  if (verb == L"close") return PostMessageW(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
  return usage();
}
