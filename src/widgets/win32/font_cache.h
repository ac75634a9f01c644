#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "widgets/font.h"

namespace velmora::widgets::win32 {

// GDI fonts made once for each face, height and style the controls use, and
// kept until the backend goes (after every window that selected them).
class FontCache {
 public:
  FontCache() = default;
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;
  ~FontCache();

  HFONT get(const Font& font);

 private:
  using Key = std::tuple<std::string, int, bool, bool>;
  std::map<Key, HFONT> fonts_;
};

}  // namespace velmora::widgets::win32
