#pragma once

#include <windows.h>

// The DPI of the displays windows are on. The program declares itself aware of
// each display's DPI (per-monitor v2 in its manifest, system-aware on Windows 7
// and 8): Windows then leaves the scaling of every window's contents to the
// program. The functions that tell a window's own DPI came with Windows 8.1 and
// 10; where they are missing, every window has the system's DPI.
namespace velmora::widgets::win32 {

// The DPI every window has where Windows cannot tell one window's from another's.
int systemDpi();

// The DPI of the display a window is on.
int windowDpi(HWND window);

// A system metric (GetSystemMetrics) as it is on a display of dpi.
int systemMetric(int index, int dpi);

}  // namespace velmora::widgets::win32
