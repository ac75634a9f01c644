#include "widgets/splitter.h"

#include <algorithm>

namespace velmora::widgets {

Splitter::Splitter(Control& parent, std::string name) : Control(parent, std::move(name)) {
  setWidth(3);
  setAlign(Align::Left);
}

Control* Splitter::neighbour() const {
  if (!parent() || align() == Align::None || align() == Align::Client) return nullptr;
  Control* found = nullptr;
  for (Control* sibling : parent()->children()) {
    if (sibling == this) break;
    if (sibling->align() == align() && sibling->visible()) found = sibling;
  }
  return found;
}

int Splitter::userDrag(int delta) {
  Control* target = neighbour();
  if (!target || delta == 0) return 0;
  const bool horizontal = align() == Align::Left || align() == Align::Right;
  // Dragging towards the target's edge shrinks it.
  const int grow = (align() == Align::Left || align() == Align::Top) ? delta : -delta;
  const int size = horizontal ? target->width() : target->height();
  // The client-aligned sibling, if any, keeps at least minSize as well.
  int room = 0;
  for (Control* sibling : parent()->children())
    if (sibling->align() == Align::Client && sibling->visible())
      room = std::max(room, (horizontal ? sibling->width() : sibling->height()) - minSize_);
  const int newSize = std::clamp(size + grow, std::min(size, minSize_), size + std::max(room, 0));
  if (newSize == size) return 0;
  if (horizontal)
    target->setWidth(newSize);
  else
    target->setHeight(newSize);
  if (onMoved) fire([&] { onMoved(); });
  const int moved = newSize - size;
  return (align() == Align::Left || align() == Align::Top) ? moved : -moved;
}

}  // namespace velmora::widgets
