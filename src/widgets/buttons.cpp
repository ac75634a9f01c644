#include "widgets/buttons.h"

#include <algorithm>

#include "widgets/application.h"

namespace velmora::widgets {
namespace {

// Room beside a button's caption on either side: the frame, the focus
// rectangle inside it, and a little air, as the standard buttons leave it.
constexpr int kCaptionMargin = 8;

}  // namespace

Button::Button(Control& parent, std::string name, std::string caption) : Control(parent, std::move(name)) {
  setCaption(std::move(caption));
  setSize(75, 25);
}

void Button::setBounds(Rect bounds) {
  // A width other than the one the button has is a new width from its maker; the
  // width it has already is its own, handed back by a move.
  if (bounds.width != width()) designedWidth_ = bounds.width;
  bounds.width = widthFor(designedWidth_);
  Control::setBounds(bounds);
}

int Button::widthFor(int designedWidth) const {
  if (caption().empty()) return designedWidth;
  const int needed = textSize(caption()).width + 2 * kCaptionMargin;
  return std::max(designedWidth, needed);
}

void Button::fit() { Control::setBounds({left(), top(), widthFor(designedWidth_), height()}); }

void Button::setDefault(bool isDefault) {
  if (isDefault == default_) return;
  default_ = isDefault;
  notifyPeer(Change::Options);
}

void Button::click() {
  if (!enabled()) return;
  if (onClick) fire([&] { onClick(); });
  if (modalResult_ != ModalResult::None) form().setModalResult(modalResult_);
}

CheckBox::CheckBox(Control& parent, std::string name, std::string caption)
    : Control(parent, std::move(name)) {
  setCaption(std::move(caption));
  setSize(97, 17);
}

void CheckBox::setChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  notifyPeer(Change::Value);
}

void CheckBox::userSetChecked(bool checked) {
  if (!enabled()) return;
  setChecked(checked);
  if (onClick) fire([&] { onClick(); });
}

}  // namespace velmora::widgets
