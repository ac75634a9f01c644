#pragma once

#include <windows.h>

#include <string>

#include "screenshot.h"

namespace velmora::e2e {

// Saves what the display shows of a window as a PNG file named name + ".png" in
// the test build's output folder; false when it could not be read or written.
// distinctColours receives how many colours the picture holds (up to 1000), so
// that a test can tell a drawn window from a blank or black area.
bool saveWindowPng(HWND window, const std::wstring& name, int& distinctColours);

// The same, for a test that also looks at the picture.
bool saveWindowPng(HWND window, const std::wstring& name, widgets::testing::WindowPicture& picture);

}  // namespace velmora::e2e
