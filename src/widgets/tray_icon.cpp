#include "widgets/tray_icon.h"

#include "widgets/form.h"
#include "widgets/menu.h"

namespace velmora::widgets {

void TrayIcon::setVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (!visible)
    destroyPeer();
  else if (form().peer())
    form().realize();
}

void TrayIcon::userRightButtonDown(Point pointer) {
  if (onRightClick) fire([&] { onRightClick(); });
  if (popupMenu_) popupMenu_->popup(pointer);
}

void TrayIcon::userDoubleClick() {
  if (onDoubleClick) fire([&] { onDoubleClick(); });
}

}  // namespace velmora::widgets
