#include "widgets/containers.h"

#include <algorithm>

namespace velmora::widgets {

void Panel::setBevel(Bevel bevel) {
  if (bevel == bevel_) return;
  bevel_ = bevel;
  notifyPeer(Change::Options);
  realign();
}

Rect Panel::clientArea() const {
  const int inset = bevel_ == Bevel::None ? 0 : 1;
  return {inset, inset, std::max(width() - 2 * inset, 0), std::max(height() - 2 * inset, 0)};
}

Rect GroupBox::clientArea() const {
  // The caption's line takes the top; the frame takes two pixels on the other sides.
  return {2, 15, std::max(width() - 4, 0), std::max(height() - 17, 0)};
}

}  // namespace velmora::widgets
