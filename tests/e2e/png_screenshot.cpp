#include "png_screenshot.h"

#include <objidl.h>
// objidl.h first: the GDI+ headers use IStream without including it.
#include <gdiplus.h>

#include "display_capture.h"

namespace velmora::e2e {
namespace {

using widgets::testing::WindowPicture;

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

bool saveWindowPng(HWND window, const std::wstring& name, WindowPicture& picture) {
  if (!widgets::testing::captureFromDisplay(window, picture)) return false;
  const std::wstring base = widgets::testing::outputFolder() + L"\\" + name;
  const std::wstring bmp = base + L".bmp";
  const bool saved = widgets::testing::saveBitmap(picture, bmp) && convertToPng(bmp, base + L".png");
  DeleteFileW(bmp.c_str());
  return saved;
}

bool saveWindowPng(HWND window, const std::wstring& name, int& distinctColours) {
  WindowPicture picture;
  const bool saved = saveWindowPng(window, name, picture);
  distinctColours = saved ? picture.distinctColours() : 0;
  return saved;
}

}  // namespace velmora::e2e
