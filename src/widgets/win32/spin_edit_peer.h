#pragma once

#include "widgets/spin_edit.h"
#include "widgets/win32/window_peer.h"

namespace velmora::widgets::win32 {

// An edit box with a standard up-down control inside its right edge. The
// up-down keeps no value of its own: each arrow click (and the Up and Down
// keys) asks the object to step, and the object's value is shown.
class SpinEditPeer : public WindowPeer {
 public:
  explicit SpinEditPeer(SpinEdit& spin);
  bool onCommand(UINT code) override;
  HBRUSH onColor(HDC) override { return nullptr; }
  HWND upDown() const { return upDown_; }

 protected:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  SpinEdit& spin() const { return static_cast<SpinEdit&>(control()); }
  void placeUpDown();
  HWND upDown_ = nullptr;
};

}  // namespace velmora::widgets::win32
