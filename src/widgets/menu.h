#pragma once

#include <functional>
#include <string>
#include <vector>

#include "widgets/component.h"
#include "widgets/geometry.h"
#include "widgets/shortcut.h"

namespace velmora::widgets {

class Menu;

// One entry of a main or popup menu: a command, a submenu (when it has items of
// its own) or a separator (the caption "-").
class MenuItem : public Component {
 public:
  // A top-level item of menu, or an item of parent's submenu; appended last.
  MenuItem(Menu& menu, std::string name, std::string caption = {});
  MenuItem(MenuItem& parent, std::string name, std::string caption = {});
  ~MenuItem() override;

  Menu& menu() const { return *menu_; }
  MenuItem* parentItem() const { return parent_; }
  const std::vector<MenuItem*>& items() const { return items_; }

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  bool isSeparator() const { return caption_ == "-"; }

  bool checked() const { return checked_; }
  void setChecked(bool checked);
  bool visible() const { return visible_; }
  void setVisible(bool visible);
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  const Shortcut& shortcut() const { return shortcut_; }
  void setShortcut(Shortcut shortcut);

  std::function<void()> onClick;
  // The user chose the item (with the mouse, the keyboard or its shortcut): fires
  // onClick. A disabled item does nothing. Checking is left to the handler.
  void click();

 private:
  void changed() const;

  Menu* menu_;
  MenuItem* parent_ = nullptr;
  std::vector<MenuItem*> items_;
  std::string caption_;
  bool checked_ = false;
  bool visible_ = true;
  bool enabled_ = true;
  Shortcut shortcut_;
};

// A tree of menu items.
class Menu : public Component {
 public:
  const std::vector<MenuItem*>& items() const { return items_; }

  // The item with this shortcut that the user could choose now: visible and
  // enabled, under visible and enabled parents. Null when there is none.
  MenuItem* findShortcut(const Shortcut& shortcut) const;

 protected:
  Menu(Form& owner, std::string name) : Component(owner, std::move(name)) {}

 private:
  friend class MenuItem;
  void itemsChanged() const { notifyPeer(Change::Items); }
  std::vector<MenuItem*> items_;
};

// The menu bar of its form.
class MainMenu : public Menu {
 public:
  MainMenu(Form& owner, std::string name);
  ~MainMenu() override;

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override;
};

// A menu that opens at a point of the screen, such as the tray icon's.
class PopupMenu : public Menu {
 public:
  PopupMenu(Form& owner, std::string name) : Menu(owner, std::move(name)) {}

  // Opens the menu at a point of the screen, in its pixels as the pointer
  // reports them (not in units of a form): fires onPopup, then the native peer
  // shows the menu and clicks the item the user chooses. Headless, the menu is
  // only reported open; a test then clicks an item itself.
  void popup(Point at);
  Point popupPoint() const { return popupPoint_; }

  std::function<void()> onPopup;

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override;

 private:
  Point popupPoint_;
};

}  // namespace velmora::widgets
