#pragma once

#include "widgets/icon_image.h"
#include "widgets/win32/window_peer.h"

namespace velmora::widgets::win32 {

// A static control showing the application's icon.
class IconImagePeer : public WindowPeer {
 public:
  explicit IconImagePeer(IconImage& image);
};

}  // namespace velmora::widgets::win32
