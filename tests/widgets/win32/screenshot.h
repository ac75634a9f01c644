#pragma once

#include <windows.h>

#include <string>

namespace velmora::widgets::testing {

// Copies what the screen shows of a window (frame included) into a 24-bit BMP
// file; false when the window or the file could not be read or written.
// distinctColours receives how many different colours the picture holds, so a
// test can tell a drawn window from a blank capture.
bool saveWindowBitmap(HWND window, const std::wstring& path, int& distinctColours);

// The folder the test build keeps its outputs in, as a Windows path.
std::wstring outputFolder();

}  // namespace velmora::widgets::testing
