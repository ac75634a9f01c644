#pragma once

#include <string>
#include <vector>

#include "widgets/control.h"

namespace velmora::widgets {

// A tree of text items; for now only items at its top level, shown in the order
// they were added. It reacts to nothing the user does.
class TreeView : public Control {
 public:
  bool tabStop() const override { return true; }
  TreeView(Control& parent, std::string name);

  const std::vector<std::string>& items() const { return items_; }
  void addItem(std::string text);

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }

 private:
  std::vector<std::string> items_;
};

}  // namespace velmora::widgets
