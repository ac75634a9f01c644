#pragma once

#include <string>

#include "widgets/control.h"

namespace velmora::widgets {

// A picture of the application's own icon, at the system's large icon size
// (32 × 32 pixels at 96 dots per inch), as the About window shows it. The icon
// is the program's resource, so the object holds nothing but its place; a
// program without one shows the system's generic application icon.
class IconImage : public Control {
 public:
  IconImage(Control& parent, std::string name) : Control(parent, std::move(name)) { setSize(32, 32); }

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }
};

}  // namespace velmora::widgets
