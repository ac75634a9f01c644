#pragma once

#include "widgets/form.h"
#include "widgets/win32/window_peer.h"

namespace velmora::widgets::win32 {

class MainMenuPeer;

// A form's top-level window. The close box closes the form; a resize by the user
// passes the form's resize request before it takes effect; minimizing is
// reported to the form; menu commands and the default button (Enter) reach
// their objects. The window carries the application's icon.
class FormPeer : public WindowPeer {
 public:
  explicit FormPeer(Form& form);

  Form& form() const { return static_cast<Form&>(control()); }
  // The form behind a top-level window of this layer, or null.
  static Form* formOf(HWND hwnd);

  void changed(Change what, int index) override;
  void setMenuPeer(MainMenuPeer* menu);

 protected:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  DWORD style() const;
  DWORD exStyle() const;
  void syncFrame();
  void applyShowState();
  bool clickDefaultButton(WORD id);
  HWND defaultButton() const;

  MainMenuPeer* menu_ = nullptr;
  HWND lastFocus_ = nullptr;
};

}  // namespace velmora::widgets::win32
