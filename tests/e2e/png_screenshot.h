#pragma once

#include <windows.h>

#include <string>

namespace velmora::e2e {

// Saves what the screen shows of a window (frame included) as a PNG file named
// name + ".png" in the test build's output folder, once the window has painted
// what it had pending; false when it could not be written. distinctColours
// receives how many colours the picture holds (up to 1000), so that a test can
// tell a drawn window from a blank capture.
bool saveWindowPng(HWND window, const std::wstring& name, int& distinctColours);

}  // namespace velmora::e2e
