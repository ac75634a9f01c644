#include "display_capture.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "wine_unix.h"

namespace velmora::widgets::testing {
namespace {

// Reads a binary PPM file (P6, 8 bits a channel) into a picture's bottom-up,
// four-byte-aligned BGR rows.
bool readPpm(const std::wstring& path, WindowPicture& picture) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maximum = 0;
  if (!(in >> magic >> width >> height >> maximum) || magic != "P6" || maximum != 255 || width <= 0 ||
      height <= 0)
    return false;
  in.get();  // the one blank after the header
  const std::vector<char> rgb((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (rgb.size() < static_cast<std::size_t>(width) * height * 3) return false;
  const int stride = (width * 3 + 3) & ~3;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<std::size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const char* from = rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
      std::uint8_t* to = picture.pixels.data() + static_cast<std::size_t>(height - 1 - y) * stride + x * 3;
      to[0] = static_cast<std::uint8_t>(from[2]);
      to[1] = static_cast<std::uint8_t>(from[1]);
      to[2] = static_cast<std::uint8_t>(from[0]);
    }
  return true;
}

// One read of a screen rectangle from the X display. ImageMagick's import reads
// the root window's image from the X server, which is what the display shows.
// (xwd -root is no witness here: on a screen with several visuals, as Xvfb at
// depth 24 has, it rebuilds the picture window by window and shows a Wine
// window that lies over another one as black, though the server holds it drawn.)
bool readDisplay(const RECT& r, WindowPicture& picture) {
  const std::wstring ppm =
      outputFolder() + L"\\display-read-" + std::to_wstring(GetCurrentProcessId()) + L".ppm";
  DeleteFileW(ppm.c_str());
  char geometry[64];
  std::snprintf(geometry, sizeof geometry, "%ldx%ld+%ld+%ld", r.right - r.left, r.bottom - r.top, r.left,
                r.top);
  const long status =
      velmora::testing::runUnix({"import", "-silent", "-window", "root", "-crop", geometry, "+repage",
                                 "-depth", "8", "ppm:" + velmora::testing::unixPathOf(ppm)});
  const bool read = status == 0 && readPpm(ppm, picture);
  DeleteFileW(ppm.c_str());
  return read;
}

}  // namespace

bool captureFromDisplay(HWND window, WindowPicture& picture) {
  if (!velmora::testing::runningUnderWine()) return false;
  // RDW_UPDATENOW sends the window its paint messages and returns once they
  // are handled, in this process or the window's own.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT r;
  if (!GetWindowRect(window, &r) || r.right <= r.left || r.bottom <= r.top) return false;
  // Wine maps a window and hands it what the window drew a little later (the
  // thread that owns it must wait for messages). The display is read until it
  // shows what Wine's own copy of the screen shows, for at most 10 s; a window
  // that never gets there is pictured as the display keeps it.
  WindowPicture last;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 10000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    WindowPicture shown;
    WindowPicture drawn;
    if (!readDisplay(r, shown)) continue;
    last = std::move(shown);
    if (captureWindow(window, drawn) && last.pixelsDifferentFrom(drawn) == 0) break;
  }
  if (last.pixels.empty()) return false;
  picture = std::move(last);
  return true;
}

}  // namespace velmora::widgets::testing
