#include "widgets/tray_icon.h"

#include "widgets/menu.h"

namespace velmora::widgets {

void TrayIcon::userRightButtonDown(Point pointer) {
  if (onRightClick) fire([&] { onRightClick(); });
  if (popupMenu_) popupMenu_->popup(pointer);
}

void TrayIcon::userDoubleClick() {
  if (onDoubleClick) fire([&] { onDoubleClick(); });
}

}  // namespace velmora::widgets
