#include "widgets/combo_box.h"

#include <algorithm>

namespace velmora::widgets {

ComboBox::ComboBox(Control& parent, std::string name) : Control(parent, std::move(name)) { setSize(145, 21); }

void ComboBox::setItems(std::vector<std::string> items) {
  items_ = std::move(items);
  if (index_ >= static_cast<int>(items_.size())) index_ = -1;
  notifyPeer(Change::Items);
}

void ComboBox::addItem(std::string item) {
  items_.push_back(std::move(item));
  notifyPeer(Change::Items);
}

void ComboBox::setItemIndex(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) index = -1;
  if (index == index_) return;
  index_ = index;
  notifyPeer(Change::Value);
}

std::string ComboBox::text() const {
  return index_ < 0 ? std::string() : items_[static_cast<std::size_t>(index_)];
}

void ComboBox::userSelect(int index) {
  setItemIndex(index);
  if (onChange) fire([&] { onChange(); });
}

}  // namespace velmora::widgets
