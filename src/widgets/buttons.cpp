#include "widgets/buttons.h"

namespace velmora::widgets {

Button::Button(Control& parent, std::string name, std::string caption) : Control(parent, std::move(name)) {
  setCaption(std::move(caption));
  setSize(75, 25);
}

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
