#include "widgets/win32/icon_image_peer.h"

#include <algorithm>

namespace velmora::widgets::win32 {

IconImagePeer::IconImagePeer(IconImage& image) : WindowPeer(image) {
  // SS_CENTERIMAGE keeps the control at the object's size (a plain SS_ICON
  // control resizes itself to the icon) and centres the icon inside it, so the
  // window stays where the object says even when the system's icon size differs.
  createChild(L"STATIC", SS_ICON | SS_CENTERIMAGE);
  showIcon();
}

void IconImagePeer::showIcon() {
  const Rect pixels = scale().toPixels(control().bounds());
  SendMessageW(hwnd(), STM_SETICON,
               reinterpret_cast<WPARAM>(applicationIconOfSize(std::min(pixels.width, pixels.height))), 0);
}

void IconImagePeer::changed(Change what, int index) {
  WindowPeer::changed(what, index);
  if (what == Change::Scale) showIcon();
}

}  // namespace velmora::widgets::win32
