#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "widgets/font.h"

namespace velmora::widgets::win32 {

// GDI fonts made once for each face, height, style and display DPI the controls
// use, and kept until the backend goes (after every window that selected them).
class FontCache {
 public:
  FontCache() = default;
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;
  ~FontCache();

  // The font on a display of dpi: its height, given for 96 DPI, scaled.
  HFONT get(const Font& font, int dpi);

 private:
  using Key = std::tuple<std::string, int, bool, bool>;
  std::map<Key, HFONT> fonts_;
};

}  // namespace velmora::widgets::win32
