#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "widgets/control.h"
#include "widgets/form.h"
#include "widgets/peer.h"
#include "widgets/win32/native_window.h"
#include "widgets/win32/private_messages.h"

namespace velmora::widgets::win32 {

// The native peer of a control: a child window that mirrors the control. It
// hands WM_COMMAND, WM_NOTIFY and WM_CTLCOLOR* from its direct children to their
// peers, reports mouse moves, mouse-downs and the pointer shape to its control,
// and mirrors bounds, visibility, enabled state, caption and font, with sizes,
// positions and font heights scaled from the control's units to the pixels of
// its form's display. The kinds of control add what is theirs.
class WindowPeer : public NativeWindow, public Peer {
 public:
  ~WindowPeer() override { destroy(); }

  Control& control() const { return control_; }
  std::uintptr_t nativeHandle() const override { return reinterpret_cast<std::uintptr_t>(hwnd()); }
  void changed(Change what, int index) override;

  // What the parent hands over from this child: the notification code of a
  // WM_COMMAND; a WM_NOTIFY (true when handled, with its result); the colours of
  // a WM_CTLCOLOR* (the brush to paint with, or null for the system's colours).
  virtual bool onCommand(UINT) { return false; }
  virtual bool onNotify(NMHDR&, LRESULT&) { return false; }
  virtual HBRUSH onColor(HDC dc);

  // The peer of a window this layer made, or null.
  static WindowPeer* from(HWND hwnd) { return dynamic_cast<WindowPeer*>(NativeWindow::from(hwnd)); }
  static WindowPeer* of(const Component& component) { return dynamic_cast<WindowPeer*>(component.peer()); }

  // The control's font as a GDI font at its form's DPI, shared and kept by the
  // backend.
  HFONT font() const;
  // The scale between the control's units and its window's pixels.
  DisplayScale scale() const { return control_.form().scale(); }

 protected:
  explicit WindowPeer(Control& control) : NativeWindow(control.form().application()), control_(control) {}

  // Creates the window as a child of the parent control's window, at the
  // control's bounds in pixels and with its visibility, enabled state, caption and font.
  void createChild(const wchar_t* className, DWORD style, DWORD exStyle = 0);

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Passes messages to a child's peer; true when one handled it.
  bool routeToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // While mirroring the object, the notifications the native control sends back
  // are its own echo and are not user actions.
  class Mirroring {
   public:
    explicit Mirroring(WindowPeer& peer) : peer_(peer) { ++peer_.mirroring_; }
    ~Mirroring() { --peer_.mirroring_; }
    Mirroring(const Mirroring&) = delete;
    Mirroring& operator=(const Mirroring&) = delete;

   private:
    WindowPeer& peer_;
  };
  bool mirroring() const { return mirroring_ > 0; }

  // The window text as UTF-8.
  std::string windowText() const;

 private:
  Control& control_;
  int mirroring_ = 0;
};

// A control id for a new child window: unique in the process, so that a
// WM_COMMAND without a window (the default button through IsDialogMessage) can
// be told from a menu command, whose ids come from the same counter.
WORD nextCommandId();

}  // namespace velmora::widgets::win32
