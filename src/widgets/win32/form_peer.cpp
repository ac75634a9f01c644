#include "widgets/win32/form_peer.h"

#include <algorithm>

#include "platform/win32/wide.h"
#include "widgets/application.h"
#include "widgets/buttons.h"
#include "widgets/tab_order.h"
#include "widgets/win32/dpi.h"
#include "widgets/win32/menu_peers.h"

namespace velmora::widgets::win32 {

FormPeer::FormPeer(Form& form) : WindowPeer(form) {
  HWND owner = nullptr;
  if (Form* main = form.application().mainForm(); main && main != &form)
    if (WindowPeer* mainPeer = of(*main)) owner = mainPeer->hwnd();
  const wchar_t* windowClass = registerClass(L"VelmoraForm", CS_DBLCLKS, COLOR_BTNFACE, true);
  // The window's own DPI is known once it exists; until then it is the
  // system's. The form is given its size in the window's pixels right after
  // (Form::realize).
  create(exStyle(), windowClass, platform::win32::widen(form.caption()).c_str(), style(),
         DisplayScale(systemDpi()).toPixels(form.bounds()), owner, nullptr);
  form.nativeDpiChanged(windowDpi(hwnd()));
  syncFrame();
}

Form* FormPeer::formOf(HWND hwnd) {
  auto* peer = dynamic_cast<FormPeer*>(NativeWindow::from(hwnd));
  return peer ? &peer->form() : nullptr;
}

DWORD FormPeer::style() const {
  // Clipping children keeps the form from painting over its controls.
  if (form().borderStyle() == BorderStyle::Dialog)
    return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
}

DWORD FormPeer::exStyle() const {
  // A dialog frame carries no icon in its title bar, as Windows dialogs do.
  return form().borderStyle() == BorderStyle::Dialog ? WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE
                                                     : WS_EX_WINDOWEDGE;
}

void FormPeer::setMenuPeer(MainMenuPeer* menu) {
  menu_ = menu;
  syncFrame();
}

void FormPeer::measureFrame() {
  if (!hwnd() || IsIconic(hwnd())) return;
  RECT window{}, client{};
  GetWindowRect(hwnd(), &window);
  GetClientRect(hwnd(), &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd(), &origin);
  windowFrame_ = {origin.x - window.left, origin.y - window.top, window.right - (origin.x + client.right),
                  window.bottom - (origin.y + client.bottom)};
}

void FormPeer::syncFrame() {
  if (!hwnd() || IsIconic(hwnd())) return;
  measureFrame();
  form().setFrame(scale().toUnits(windowFrame_));
}

RECT FormPeer::windowRect(const Rect& bounds) const {
  const Insets& frame = form().frame();
  const int left = scale().toPixels(bounds.left);
  const int top = scale().toPixels(bounds.top);
  const int width = scale().toPixels(std::max(bounds.width - frame.left - frame.right, 0)) +
                    windowFrame_.left + windowFrame_.right;
  const int height = scale().toPixels(std::max(bounds.height - frame.top - frame.bottom, 0)) +
                     windowFrame_.top + windowFrame_.bottom;
  return {left, top, left + width, top + height};
}

Rect FormPeer::boundsOf(const RECT& window) const {
  const Insets& frame = form().frame();
  const int clientWidth =
      std::max<int>(window.right - window.left - windowFrame_.left - windowFrame_.right, 0);
  const int clientHeight =
      std::max<int>(window.bottom - window.top - windowFrame_.top - windowFrame_.bottom, 0);
  return {scale().toUnits(window.left), scale().toUnits(window.top),
          scale().toUnits(clientWidth) + frame.left + frame.right,
          scale().toUnits(clientHeight) + frame.top + frame.bottom};
}

void FormPeer::applyBounds() {
  Mirroring mirroring(*this);
  const RECT r = windowRect(form().bounds());
  SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormPeer::applyShowState() {
  const Form& f = form();
  if (!f.visible() || f.inTray()) {
    if (IsWindowVisible(hwnd())) ShowWindow(hwnd(), SW_HIDE);
    return;
  }
  switch (f.windowState()) {
    case WindowState::Minimized:
      if (!IsIconic(hwnd())) ShowWindow(hwnd(), SW_MINIMIZE);
      break;
    case WindowState::Maximized:
      if (!IsZoomed(hwnd())) ShowWindow(hwnd(), SW_MAXIMIZE);
      break;
    case WindowState::Normal:
      if (IsIconic(hwnd()) || IsZoomed(hwnd()))
        ShowWindow(hwnd(), SW_RESTORE);
      else if (!IsWindowVisible(hwnd()))
        ShowWindow(hwnd(), SW_SHOW);
      break;
  }
}

void FormPeer::changed(Change what, int index) {
  if (!hwnd()) return;
  switch (what) {
    case Change::Bounds:
      // Bounds the window reported itself need no mirroring back.
      if (!mirroring()) applyBounds();
      return;
    case Change::Scale:
      // Moved to another display, the window takes the size Windows suggests
      // (WM_DPICHANGED); otherwise the form's at the new scale.
      if (!mirroring()) {
        syncFrame();
        applyBounds();
      }
      return;
    case Change::Visible:
    case Change::WindowState: {
      Mirroring mirroring(*this);
      applyShowState();
      return;
    }
    case Change::Activate:
      if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
      SetForegroundWindow(hwnd());
      return;
    case Change::Options:
      SetWindowLongPtrW(hwnd(), GWL_STYLE,
                        static_cast<LONG_PTR>(
                            style() | (GetWindowLongPtrW(hwnd(), GWL_STYLE) & (WS_VISIBLE | WS_DISABLED))));
      SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle()));
      SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      syncFrame();
      return;
    case Change::Font:
      return;
    default:
      WindowPeer::changed(what, index);
  }
}

HWND FormPeer::defaultButton() const {
  for (Component* c : form().components())
    if (auto* button = dynamic_cast<Button*>(c);
        button && button->isDefault() && button->showing() && button->enabled())
      if (WindowPeer* peer = of(*button)) return peer->hwnd();
  return nullptr;
}

HWND FormPeer::windowOf(Control* control) const {
  WindowPeer* peer = control ? of(*control) : nullptr;
  return peer ? peer->hwnd() : nullptr;
}

bool FormPeer::moveFocus(bool backwards) {
  // The control that has the keyboard: the focus may be in a window of its own
  // inside it (the edit box of a combo box, the header of a list).
  Control* current = nullptr;
  for (HWND window = GetFocus(); window && window != hwnd() && !current; window = GetParent(window))
    if (WindowPeer* peer = from(window)) current = &peer->control();
  HWND next = windowOf(nextInTabOrder(form(), current, backwards));
  if (!next) return false;
  SetFocus(next);
  // An edit box reached by Tab has its text selected, as in any dialog.
  if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
  // From the first Tab on, the focused control shows its focus rectangle.
  SendMessageW(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  return true;
}

bool FormPeer::pressEnter(MSG& message) {
  HWND focus = GetFocus();
  if (!focus || !IsChild(hwnd(), focus)) return false;
  const LRESULT wants =
      SendMessageW(focus, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
  if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  if (WindowPeer* peer = from(focus))
    if (auto* button = dynamic_cast<Button*>(&peer->control())) {
      button->click();
      return true;
    }
  HWND button = defaultButton();
  if (!button) return false;
  static_cast<Button&>(from(button)->control()).click();
  return true;
}

bool FormPeer::clickDefaultButton(WORD id) {
  HWND button = defaultButton();
  if (!button || (id != IDOK && id != GetDlgCtrlID(button))) return false;
  static_cast<Button&>(from(button)->control()).click();
  return true;
}

LRESULT FormPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      // Forms are hidden, never destroyed, when closed: they live as long as
      // their objects.
      form().userClose();
      return 0;
    case WM_ENDSESSION:
      // Sent to every top-level window, hidden ones too (a program in the tray),
      // once the session really ends; the process is ended after the reply
      // without any window being closed.
      if (wParam) form().endSession();
      return 0;
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      const Rect asked = boundsOf({pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy});
      if (!mirroring() && !(pos->flags & SWP_NOSIZE) && !IsIconic(hwnd()) &&
          (asked.width != form().width() || asked.height != form().height())) {
        int width = asked.width;
        int height = asked.height;
        if (form().requestResize(width, height)) {
          // A size the request changed; otherwise the window keeps the
          // user's pixels.
          if (width != asked.width || height != asked.height) {
            const RECT r = windowRect({asked.left, asked.top, width, height});
            pos->cx = r.right - r.left;
            pos->cy = r.bottom - r.top;
          }
        } else {
          // Refused: the window keeps its place too, or a drag of the left or
          // top edge would move it.
          pos->flags |= SWP_NOSIZE | SWP_NOMOVE;
        }
      }
      break;
    }
    case WM_WINDOWPOSCHANGED: {
      const LRESULT result = callDefault(message, wParam, lParam);
      if (!IsIconic(hwnd())) {
        RECT r{};
        GetWindowRect(hwnd(), &r);
        measureFrame();
        {
          Mirroring mirroring(*this);
          form().nativeBoundsChanged(boundsOf(r));
        }
        syncFrame();
      }
      return result;
    }
    case WM_DPICHANGED: {
      // The window went to a display of another DPI (or that display's DPI
      // changed): every control shows its units in the new pixels, then the
      // window takes the rectangle Windows suggests, which keeps it on that
      // display at the matching size.
      const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
      {
        Mirroring mirroring(*this);
        form().nativeDpiChanged(LOWORD(wParam));
      }
      SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_SIZE:
      if (!mirroring()) {
        if (wParam == SIZE_MINIMIZED) {
          if (form().windowState() != WindowState::Minimized) form().userMinimize();
        } else {
          Mirroring mirroring(*this);
          form().setWindowState(wParam == SIZE_MAXIMIZED ? WindowState::Maximized : WindowState::Normal);
        }
      }
      break;
    case WM_COMMAND:
      // Esc through dialog navigation (our control ids start above IDCANCEL).
      if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == 0) {
        form().userEscape();
        return 0;
      }
      // Enter through dialog navigation when the form has no default button:
      // nothing is pressed, whatever control has the keyboard.
      if (LOWORD(wParam) == IDOK && HIWORD(wParam) == 0) {
        clickDefaultButton(IDOK);
        return 0;
      }
      if (lParam == 0) {
        // A menu command or accelerator, or Enter for the default button
        // through dialog navigation when the button is not a direct child.
        if (menu_)
          if (MenuItem* item = menu_->itemFor(LOWORD(wParam))) {
            item->click();
            return 0;
          }
        clickDefaultButton(LOWORD(wParam));
        return 0;
      }
      // Enter through dialog navigation names the default button itself, even
      // when it is not a direct child (Wine finds it anyway; Windows does not).
      if (HIWORD(wParam) == BN_CLICKED && reinterpret_cast<HWND>(lParam) == defaultButton() &&
          GetParent(reinterpret_cast<HWND>(lParam)) != hwnd()) {
        clickDefaultButton(LOWORD(wParam));
        return 0;
      }
      break;
    case DM_GETDEFID:
      if (HWND button = defaultButton()) return MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd(), focus)) lastFocus_ = focus;
      } else {
        // The control that had the keyboard gets it back; the first one that
        // takes it on the first activation.
        if (!lastFocus_ || !IsWindow(lastFocus_) || !IsChild(hwnd(), lastFocus_))
          lastFocus_ = windowOf(nextInTabOrder(form(), nullptr, false));
        if (lastFocus_ && !IsIconic(hwnd())) {
          SetFocus(lastFocus_);
          return 0;
        }
      }
      break;
    default:
      break;
  }
  return WindowPeer::handle(message, wParam, lParam);
}

}  // namespace velmora::widgets::win32
