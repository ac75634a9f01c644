#pragma once

#include "widgets/form.h"
#include "widgets/win32/window_peer.h"

namespace velmora::widgets::win32 {

class MainMenuPeer;

// A form's top-level window. The close box closes the form; a resize by the user
// passes the form's resize request before it takes effect; minimizing is
// reported to the form; menu commands and the default button (Enter) reach
// their objects. The window carries the application's icon. It tells the form
// the DPI of its display when it is made and whenever it moves to a display of
// another DPI, and then takes the size Windows suggests for it there.
class FormPeer : public WindowPeer {
 public:
  explicit FormPeer(Form& form);

  Form& form() const { return static_cast<Form&>(control()); }
  // The form behind a top-level window of this layer, or null.
  static Form* formOf(HWND hwnd);

  void changed(Change what, int index) override;
  void setMenuPeer(MainMenuPeer* menu);
  // Tab and Shift+Tab: the keyboard goes to the next (previous) control in the
  // form's tab order, and the focus is shown from then on. False when no control
  // takes it.
  bool moveFocus(bool backwards);
  // Enter (message is its WM_KEYDOWN): a focused button is pressed, as in any
  // dialog, or else the default button. False when the focused control wants
  // Enter itself (a memo, an open drop-down list) or there is no button to press.
  bool pressEnter(MSG& message);

 protected:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  DWORD style() const;
  DWORD exStyle() const;
  // The window's rectangle on the screen for bounds in units, and back: the
  // position is scaled, and so is the client area, inside the frame Windows
  // draws at the display's DPI (whose pixels would not round to the same units).
  RECT windowRect(const Rect& bounds) const;
  Rect boundsOf(const RECT& window) const;
  // Measures the frame Windows draws around the client area; then also tells
  // the form, in units.
  void measureFrame();
  void syncFrame();
  void applyBounds();
  void applyShowState();
  bool clickDefaultButton(WORD id);
  HWND defaultButton() const;
  // The native window of a control, once it has one.
  HWND windowOf(Control* control) const;

  MainMenuPeer* menu_ = nullptr;
  // The frame measured last, in pixels.
  Insets windowFrame_;
  HWND lastFocus_ = nullptr;
};

}  // namespace velmora::widgets::win32
