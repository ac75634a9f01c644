#include "widgets/win32/menu_peers.h"

#include "platform/win32/wide.h"
#include "widgets/form.h"
#include "widgets/win32/form_peer.h"
#include "widgets/win32/window_peer.h"

namespace velmora::widgets::win32 {

HMENU MenuBuilder::build(const std::vector<MenuItem*>& items, bool popup) {
  byId_.clear();
  HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
  append(menu, items);
  return menu;
}

MenuItem* MenuBuilder::itemFor(UINT id) const {
  const auto it = byId_.find(id);
  return it == byId_.end() ? nullptr : it->second;
}

void MenuBuilder::append(HMENU menu, const std::vector<MenuItem*>& items) {
  for (MenuItem* item : items) {
    if (!item->visible()) continue;
    if (item->isSeparator()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::string text = item->caption();
    if (!item->shortcut().empty()) {
      text += '\t';
      text += item->shortcut().text();
    }
    const std::wstring wide = platform::win32::widen(text);
    UINT flags = MF_STRING | (item->checked() ? MF_CHECKED : MF_UNCHECKED) |
                 (item->enabled() ? MF_ENABLED : MF_GRAYED);
    if (!item->items().empty()) {
      HMENU submenu = CreatePopupMenu();
      append(submenu, item->items());
      AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), wide.c_str());
      continue;
    }
    auto [it, added] = ids_.try_emplace(item, 0);
    if (added) it->second = nextCommandId();
    byId_[it->second] = item;
    AppendMenuW(menu, flags, it->second, wide.c_str());
  }
}

MainMenuPeer::MainMenuPeer(MainMenu& menu) : object_(menu) { rebuild(); }

MainMenuPeer::~MainMenuPeer() {
  if (auto* form = dynamic_cast<FormPeer*>(object_.form().peer())) {
    form->setMenuPeer(nullptr);
    if (form->hwnd()) SetMenu(form->hwnd(), nullptr);
  }
  if (menu_) DestroyMenu(menu_);
}

HWND MainMenuPeer::formWindow() const {
  WindowPeer* form = WindowPeer::of(object_.form());
  return form ? form->hwnd() : nullptr;
}

void MainMenuPeer::changed(Change what, int) {
  if (what == Change::Items) rebuild();
}

void MainMenuPeer::rebuild() {
  HWND window = formWindow();
  if (!window) return;
  HMENU old = menu_;
  menu_ = builder_.build(object_.items(), false);
  SetMenu(window, menu_);
  if (old) DestroyMenu(old);
  DrawMenuBar(window);
  if (auto* form = dynamic_cast<FormPeer*>(object_.form().peer())) form->setMenuPeer(this);
}

void PopupMenuPeer::changed(Change what, int) {
  if (what != Change::Popup) return;
  WindowPeer* form = WindowPeer::of(object_.form());
  if (!form || !form->hwnd()) return;
  HWND owner = form->hwnd();
  HMENU menu = builder_.build(object_.items(), true);
  SetForegroundWindow(owner);
  const Point at = object_.popupPoint();
  const UINT id = static_cast<UINT>(
      TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, owner, nullptr));
  // The documented companion of SetForegroundWindow for popup menus: without a
  // message after it, the menu may fail to open the next time.
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);
  if (MenuItem* item = builder_.itemFor(id)) item->click();
}

}  // namespace velmora::widgets::win32
