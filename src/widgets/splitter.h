#pragma once

#include <functional>
#include <string>

#include "widgets/control.h"

namespace velmora::widgets {

// A bar between an aligned control and the client-aligned one that the user drags
// to resize the former, live. It resizes the nearest visible sibling created
// before it with the same alignment, within minSize for both sides.
class Splitter : public Control {
 public:
  // Aligned left and 3 pixels wide, the usual vertical bar.
  Splitter(Control& parent, std::string name);

  int minSize() const { return minSize_; }
  void setMinSize(int minSize) { minSize_ = minSize; }

  // The control the splitter resizes, or null.
  Control* neighbour() const;

  // The user dragged the bar by delta pixels (right or down positive); returns
  // the distance it really moved, after the limits. Fires onMoved when it moved.
  int userDrag(int delta);

  std::function<void()> onMoved;

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }

 private:
  int minSize_ = 30;
};

}  // namespace velmora::widgets
