#pragma once

#include <functional>
#include <string>

#include "widgets/component.h"
#include "widgets/geometry.h"

namespace velmora::widgets {

class PopupMenu;

// The application's icon in the notification area. It appears when its form is
// realized and stays until it is destroyed at the end of the program, whether
// the form is shown, minimized or hidden. It shows the application's icon and no
// tooltip. An icon made invisible stays out of the notification area until it
// is made visible again: a form can put it up once its window is drawn.
class TrayIcon : public Component {
 public:
  TrayIcon(Form& owner, std::string name) : Component(owner, std::move(name)) {}

  bool visible() const { return visible_; }
  void setVisible(bool visible);

  PopupMenu* popupMenu() const { return popupMenu_; }
  void setPopupMenu(PopupMenu* menu) { popupMenu_ = menu; }

  // The user pressed the right mouse button on the icon, the pointer at a
  // screen point: onRightClick fires, then the popup menu opens there (its peer
  // brings the application to the foreground first, as the notification area
  // requires).
  void userRightButtonDown(Point pointer);
  // The user double-clicked the icon with any button: onDoubleClick fires.
  void userDoubleClick();

  std::function<void()> onRightClick;
  std::function<void()> onDoubleClick;

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }
  bool peerWanted() const override { return visible_; }

 private:
  PopupMenu* popupMenu_ = nullptr;
  bool visible_ = true;
};

}  // namespace velmora::widgets
