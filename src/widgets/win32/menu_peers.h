#pragma once

#include <windows.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "widgets/menu.h"
#include "widgets/peer.h"

namespace velmora::widgets::win32 {

// Builds native menus from menu items: hidden items are left out, a submenu for
// each item with items, the shortcut's text after a tab. Each item keeps one
// command id for as long as the builder lives.
class MenuBuilder {
 public:
  HMENU build(const std::vector<MenuItem*>& items, bool popup);
  // The item a command id stands for in the menus built last, or null.
  MenuItem* itemFor(UINT id) const;
  void forget() { byId_.clear(); }

 private:
  void append(HMENU menu, const std::vector<MenuItem*>& items);
  std::unordered_map<UINT, MenuItem*> byId_;
  std::unordered_map<const MenuItem*, UINT> ids_;
};

// The menu bar of a realized form, rebuilt whenever an item changes.
class MainMenuPeer : public Peer {
 public:
  explicit MainMenuPeer(MainMenu& menu);
  ~MainMenuPeer() override;
  MainMenuPeer(const MainMenuPeer&) = delete;
  MainMenuPeer& operator=(const MainMenuPeer&) = delete;

  void changed(Change what, int index) override;
  std::uintptr_t nativeHandle() const override { return reinterpret_cast<std::uintptr_t>(menu_); }
  MenuItem* itemFor(UINT id) const { return builder_.itemFor(id); }

 private:
  void rebuild();
  HWND formWindow() const;

  MainMenu& object_;
  MenuBuilder builder_;
  HMENU menu_ = nullptr;
};

// A popup menu, built when it opens: the owner form comes to the foreground
// (without which the menu would not close when the user clicks elsewhere), the
// menu tracks the mouse, and the chosen item is clicked.
class PopupMenuPeer : public Peer {
 public:
  explicit PopupMenuPeer(PopupMenu& menu) : object_(menu) {}

  void changed(Change what, int index) override;
  std::uintptr_t nativeHandle() const override { return 0; }

 private:
  PopupMenu& object_;
  MenuBuilder builder_;
};

}  // namespace velmora::widgets::win32
