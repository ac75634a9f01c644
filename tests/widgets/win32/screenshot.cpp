#include "screenshot.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace velmora::widgets::testing {
namespace {

int strideOf(int width) { return (width * 3 + 3) & ~3; }

}  // namespace

std::wstring outputFolder() {
  // The build tree is on Linux; Wine shows the Linux root as drive Z:.
  const std::string folder = VELMORA_SCREENSHOT_DIR;
  std::wstring path = L"Z:";
  for (char c : folder) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

int WindowPicture::distinctColours() const {
  const int stride = strideOf(width);
  std::set<unsigned> colours;
  for (int y = 0; y < height && colours.size() < 1000; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = pixels.data() + y * stride + x * 3;
      colours.insert(static_cast<unsigned>(p[0]) | (static_cast<unsigned>(p[1]) << 8) |
                     (static_cast<unsigned>(p[2]) << 16));
    }
  return static_cast<int>(colours.size());
}

int WindowPicture::pixelsDifferentFrom(const WindowPicture& other) const {
  if (other.width != width || other.height != height) return width * height;
  const int stride = strideOf(width);
  int different = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::size_t at = static_cast<std::size_t>(y * stride + x * 3);
      if (!std::equal(pixels.begin() + at, pixels.begin() + at + 3, other.pixels.begin() + at)) ++different;
    }
  return different;
}

double WindowPicture::blackShare() const {
  if (width <= 0 || height <= 0) return 1.0;
  const int stride = strideOf(width);
  long black = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = pixels.data() + y * stride + x * 3;
      if (p[0] == 0 && p[1] == 0 && p[2] == 0) ++black;
    }
  return static_cast<double>(black) / (static_cast<double>(width) * height);
}

bool captureWindow(HWND window, WindowPicture& picture) {
  RECT r;
  if (!GetWindowRect(window, &r)) return false;
  picture.width = r.right - r.left;
  picture.height = r.bottom - r.top;
  if (picture.width <= 0 || picture.height <= 0) return false;

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = picture.height;  // bottom-up, as BMP files store rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const BOOL copied = BitBlt(memory, 0, 0, picture.width, picture.height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const auto* first = static_cast<const std::uint8_t*>(bits);
  picture.pixels.assign(first, first + static_cast<std::size_t>(strideOf(picture.width)) *
                                           static_cast<std::size_t>(picture.height));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return copied != FALSE;
}

bool saveBitmap(const WindowPicture& picture, const std::wstring& path) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = picture.width;
  header.biHeight = picture.height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(picture.pixels.size());
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return false;
  const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                       std::fwrite(&header, sizeof header, 1, out) == 1 &&
                       std::fwrite(picture.pixels.data(), picture.pixels.size(), 1, out) == 1;
  return std::fclose(out) == 0 && written;
}

bool saveWindowBitmap(HWND window, const std::wstring& path, int& distinctColours) {
  WindowPicture picture;
  if (!captureWindow(window, picture)) return false;
  distinctColours = picture.distinctColours();
  return saveBitmap(picture, path);
}

}  // namespace velmora::widgets::testing
