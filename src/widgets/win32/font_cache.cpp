#include "widgets/win32/font_cache.h"

#include "platform/win32/wide.h"
#include "widgets/display_scale.h"

namespace velmora::widgets::win32 {

FontCache::~FontCache() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT FontCache::get(const Font& font, int dpi) {
  const int height = DisplayScale(dpi).toPixels(font.height);
  const Key key{font.name, height, font.bold, font.underline};
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
  HFONT made = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, font.underline, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, platform::win32::widen(font.name).c_str());
  if (!made) made = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_.emplace(key, made);
  return made;
}

}  // namespace velmora::widgets::win32
