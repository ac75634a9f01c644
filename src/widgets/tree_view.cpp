#include "widgets/tree_view.h"

namespace velmora::widgets {

TreeView::TreeView(Control& parent, std::string name) : Control(parent, std::move(name)) { setSize(121, 97); }

void TreeView::addItem(std::string text) {
  items_.push_back(std::move(text));
  notifyPeer(Change::Items);
}

}  // namespace velmora::widgets
