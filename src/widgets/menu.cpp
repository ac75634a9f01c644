#include "widgets/menu.h"

#include <algorithm>

#include "widgets/form.h"

namespace velmora::widgets {

MenuItem::MenuItem(Menu& menu, std::string name, std::string caption)
    : Component(menu.form(), std::move(name)), menu_(&menu), caption_(std::move(caption)) {
  menu.items_.push_back(this);
  changed();
}

MenuItem::MenuItem(MenuItem& parent, std::string name, std::string caption)
    : Component(parent.form(), std::move(name)),
      menu_(parent.menu_),
      parent_(&parent),
      caption_(std::move(caption)) {
  parent.items_.push_back(this);
  changed();
}

MenuItem::~MenuItem() {
  for (MenuItem* item : items_) item->parent_ = nullptr;
  if (parent_)
    std::erase(parent_->items_, this);
  else
    std::erase(menu_->items_, this);
  changed();
}

void MenuItem::changed() const { menu_->itemsChanged(); }

void MenuItem::setCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  changed();
}

void MenuItem::setChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  changed();
}

void MenuItem::setVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  changed();
}

void MenuItem::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  changed();
}

void MenuItem::setShortcut(Shortcut shortcut) {
  if (shortcut == shortcut_) return;
  shortcut_ = shortcut;
  changed();
}

void MenuItem::click() {
  if (!enabled_) return;
  if (onClick) fire([&] { onClick(); });
}

namespace {

MenuItem* findIn(const std::vector<MenuItem*>& items, const Shortcut& shortcut) {
  for (MenuItem* item : items) {
    if (!item->visible() || !item->enabled()) continue;
    if (item->items().empty()) {
      if (item->shortcut() == shortcut) return item;
    } else if (MenuItem* found = findIn(item->items(), shortcut)) {
      return found;
    }
  }
  return nullptr;
}

}  // namespace

MenuItem* Menu::findShortcut(const Shortcut& shortcut) const {
  if (shortcut.empty()) return nullptr;
  return findIn(items_, shortcut);
}

MainMenu::MainMenu(Form& owner, std::string name) : Menu(owner, std::move(name)) { owner.attachMenu(this); }

MainMenu::~MainMenu() {
  destroyPeer();
  // Only forgotten: laying the form out again now could run handlers of a form
  // that is being destroyed.
  if (form().menu() == this) form().menu_ = nullptr;
}

std::unique_ptr<Peer> MainMenu::createPeer(PeerFactory& factory) { return factory.make(*this); }

void PopupMenu::popup(Point at) {
  popupPoint_ = at;
  if (onPopup) fire([&] { onPopup(); });
  notifyPeer(Change::Popup);
}

std::unique_ptr<Peer> PopupMenu::createPeer(PeerFactory& factory) { return factory.make(*this); }

}  // namespace velmora::widgets
