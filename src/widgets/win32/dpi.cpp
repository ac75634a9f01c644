#include "widgets/win32/dpi.h"

namespace velmora::widgets::win32 {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunction = UINT(WINAPI*)();
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
// GetDpiForMonitor of shcore.dll (Windows 8.1): MDT_EFFECTIVE_DPI is 0.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

// A function of a system DLL that older Windows versions lack, or null; looked
// up at run time so that the program still starts there.
template <class Function>
Function systemFunction(const wchar_t* dll, const char* name) {
  HMODULE module = GetModuleHandleW(dll);
  if (!module) module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

int screenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

int systemDpi() {
  static const auto getDpiForSystem =
      systemFunction<GetDpiForSystemFunction>(L"user32.dll", "GetDpiForSystem");
  if (getDpiForSystem)
    if (const UINT dpi = getDpiForSystem(); dpi > 0) return static_cast<int>(dpi);
  return screenDpi();
}

int windowDpi(HWND window) {
  static const auto getDpiForWindow =
      systemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
  if (getDpiForWindow && window)
    if (const UINT dpi = getDpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
  // Windows 8.1: the DPI of the window's display.
  static const auto getDpiForMonitor =
      systemFunction<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor");
  if (getDpiForMonitor && window) {
    UINT x = 0;
    UINT y = 0;
    if (SUCCEEDED(getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) && x > 0)
      return static_cast<int>(x);
  }
  return systemDpi();
}

int systemMetric(int index, int dpi) {
  static const auto getSystemMetricsForDpi =
      systemFunction<GetSystemMetricsForDpiFunction>(L"user32.dll", "GetSystemMetricsForDpi");
  if (getSystemMetricsForDpi) return getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, systemDpi());
}

}  // namespace velmora::widgets::win32
