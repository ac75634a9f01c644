#pragma once

#include <string>
#include <string_view>

namespace velmora::widgets {

// Key codes of the keys that have no character of their own; letters and digits
// use their upper-case character ('A', '7'). The values are the Windows
// virtual-key codes, so that the Win32 peers pass them through unchanged.
namespace keys {
inline constexpr int Backspace = 0x08;
inline constexpr int Tab = 0x09;
inline constexpr int Enter = 0x0D;
inline constexpr int Escape = 0x1B;
inline constexpr int Space = 0x20;
inline constexpr int Insert = 0x2D;
inline constexpr int Delete = 0x2E;
inline constexpr int F1 = 0x70;  // F1 to F12 follow in order
}  // namespace keys

// A key combination that chooses a menu item, such as Ctrl+O.
struct Shortcut {
  int key = 0;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;

  bool empty() const { return key == 0; }
  friend bool operator==(const Shortcut&, const Shortcut&) = default;

  // "Ctrl+O", "Shift+Del", "Alt+F4", "F1": modifiers joined by "+" before one key,
  // in any letter case. An empty shortcut for text that is not one.
  static Shortcut parse(std::string_view text);
  // The text shown beside the menu item, in the form parse reads.
  std::string text() const;
};

}  // namespace velmora::widgets
