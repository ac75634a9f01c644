#pragma once

#include "widgets/icon_image.h"
#include "widgets/win32/window_peer.h"

namespace velmora::widgets::win32 {

// A static control showing the application's icon, at the control's size in
// pixels.
class IconImagePeer : public WindowPeer {
 public:
  explicit IconImagePeer(IconImage& image);
  void changed(Change what, int index) override;

 private:
  void showIcon();
};

}  // namespace velmora::widgets::win32
