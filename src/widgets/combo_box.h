#pragma once

#include <functional>
#include <string>
#include <vector>

#include "widgets/control.h"

namespace velmora::widgets {

// A drop-down list that allows only its own items.
class ComboBox : public Control {
 public:
  bool tabStop() const override { return true; }
  ComboBox(Control& parent, std::string name);

  const std::vector<std::string>& items() const { return items_; }
  void setItems(std::vector<std::string> items);
  void addItem(std::string item);

  // The selected item's index, -1 for none; out-of-range values select none.
  int itemIndex() const { return index_; }
  void setItemIndex(int index);
  // The selected item's text, empty for none.
  std::string text() const;

  std::function<void()> onChange;
  // The user chose an item: the object takes it and onChange fires.
  void userSelect(int index);

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }

 private:
  std::vector<std::string> items_;
  int index_ = -1;
};

}  // namespace velmora::widgets
