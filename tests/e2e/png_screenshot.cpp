#include "png_screenshot.h"

#include <objidl.h>
// objidl.h first: the GDI+ headers use IStream without including it.
#include <gdiplus.h>

#include "screenshot.h"

namespace velmora::e2e {
namespace {

// GDI+'s PNG encoder, the same on Windows and under Wine.
constexpr CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// Re-encodes a BMP file as a PNG file.
bool convertToPng(const std::wstring& bmp, const std::wstring& png) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  bool saved = false;
  Gdiplus::GpBitmap* image = nullptr;
  if (Gdiplus::DllExports::GdipCreateBitmapFromFile(bmp.c_str(), &image) == Gdiplus::Ok) {
    saved =
        Gdiplus::DllExports::GdipSaveImageToFile(image, png.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
    // The image holds its file open until it is gone.
    Gdiplus::DllExports::GdipDisposeImage(image);
  }
  Gdiplus::GdiplusShutdown(token);
  return saved;
}

}  // namespace

bool saveWindowPng(HWND window, const std::wstring& name, int& distinctColours) {
  // The window belongs to the program: RDW_UPDATENOW sends its paint messages
  // there and returns once they are handled, so the capture shows the window's
  // present state rather than whatever it drew last.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const std::wstring base = widgets::testing::outputFolder() + L"\\" + name;
  const std::wstring bmp = base + L".bmp";
  const bool saved =
      widgets::testing::saveWindowBitmap(window, bmp, distinctColours) && convertToPng(bmp, base + L".png");
  DeleteFileW(bmp.c_str());
  return saved;
}

}  // namespace velmora::e2e
