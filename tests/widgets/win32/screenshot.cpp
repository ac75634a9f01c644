#include "screenshot.h"

#include <cstdio>
#include <set>
#include <vector>

namespace velmora::widgets::testing {

std::wstring outputFolder() {
  // The build tree is on Linux; Wine shows the Linux root as drive Z:.
  const std::string folder = VELMORA_SCREENSHOT_DIR;
  std::wstring path = L"Z:";
  for (char c : folder) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

bool saveWindowBitmap(HWND window, const std::wstring& path, int& distinctColours) {
  RECT r;
  if (!GetWindowRect(window, &r)) return false;
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const BOOL copied = BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();

  const int stride = (width * 3 + 3) & ~3;
  const auto* pixels = static_cast<const unsigned char*>(bits);
  std::set<unsigned> colours;
  for (int y = 0; y < height && colours.size() < 1000; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = pixels + y * stride + x * 3;
      colours.insert(static_cast<unsigned>(p[0]) | (static_cast<unsigned>(p[1]) << 8) |
                     (static_cast<unsigned>(p[2]) << 16));
    }
  distinctColours = static_cast<int>(colours.size());

  bool written = false;
  if (copied) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    if (FILE* out = _wfopen(path.c_str(), L"wb")) {
      written =
          std::fwrite(&file, sizeof file, 1, out) == 1 &&
          std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
          std::fwrite(bits, static_cast<std::size_t>(stride) * static_cast<std::size_t>(height), 1, out) == 1;
      written = std::fclose(out) == 0 && written;
    }
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

}  // namespace velmora::widgets::testing
