#include "widgets/win32/icon_image_peer.h"

namespace velmora::widgets::win32 {

IconImagePeer::IconImagePeer(IconImage& image) : WindowPeer(image) {
  // SS_CENTERIMAGE keeps the control at the object's size (a plain SS_ICON
  // control resizes itself to the icon) and centres the icon inside it, so the
  // window stays where the object says even when the system's icon size differs.
  createChild(L"STATIC", SS_ICON | SS_CENTERIMAGE);
  SendMessageW(hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(applicationIcon(false)), 0);
}

}  // namespace velmora::widgets::win32
