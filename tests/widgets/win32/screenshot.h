#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::widgets::testing {

// What the screen shows of a window (frame included): 24-bit pixels, rows from
// the bottom up as a BMP file stores them, each row padded to four bytes.
struct WindowPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  // How many different colours the picture holds (counting stops at 1000), so a
  // test can tell a drawn window from a blank capture.
  int distinctColours() const;
  // How many pixels differ from another picture of the same size.
  int pixelsDifferentFrom(const WindowPicture& other) const;
  // The share of pure black pixels, 0 to 1 (1 for an empty picture): a window
  // that never reached the display shows as a black rectangle there.
  double blackShare() const;
};

// Copies what the screen shows of a window; false when it cannot be read.
bool captureWindow(HWND window, WindowPicture& picture);
// Writes a picture as a BMP file; false when it cannot be written.
bool saveBitmap(const WindowPicture& picture, const std::wstring& path);

// Captures a window into a BMP file; false when the window or the file could not
// be read or written. distinctColours receives the picture's colour count.
bool saveWindowBitmap(HWND window, const std::wstring& path, int& distinctColours);

// The folder the test build keeps its outputs in, as a Windows path.
std::wstring outputFolder();

}  // namespace velmora::widgets::testing
