#include "widgets/win32/form_peer.h"

#include "platform/win32/wide.h"
#include "widgets/application.h"
#include "widgets/buttons.h"
#include "widgets/win32/menu_peers.h"

namespace velmora::widgets::win32 {

FormPeer::FormPeer(Form& form) : WindowPeer(form) {
  HWND owner = nullptr;
  if (Form* main = form.application().mainForm(); main && main != &form)
    if (WindowPeer* mainPeer = of(*main)) owner = mainPeer->hwnd();
  const wchar_t* windowClass = registerClass(L"VelmoraForm", CS_DBLCLKS, COLOR_BTNFACE, true);
  create(exStyle(), windowClass, platform::win32::widen(form.caption()).c_str(), style(), form.bounds(),
         owner, nullptr);
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

void FormPeer::syncFrame() {
  if (!hwnd() || IsIconic(hwnd())) return;
  RECT window{}, client{};
  GetWindowRect(hwnd(), &window);
  GetClientRect(hwnd(), &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd(), &origin);
  const Insets frame{origin.x - window.left, origin.y - window.top, window.right - (origin.x + client.right),
                     window.bottom - (origin.y + client.bottom)};
  form().setFrame(frame);
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
      if (mirroring()) return;
      {
        Mirroring mirroring(*this);
        const Rect& b = form().bounds();
        SetWindowPos(hwnd(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
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
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!mirroring() && !(pos->flags & SWP_NOSIZE) && !IsIconic(hwnd()) &&
          (pos->cx != form().width() || pos->cy != form().height())) {
        int width = pos->cx;
        int height = pos->cy;
        if (form().requestResize(width, height)) {
          pos->cx = width;
          pos->cy = height;
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
        {
          Mirroring mirroring(*this);
          form().nativeBoundsChanged({r.left, r.top, r.right - r.left, r.bottom - r.top});
        }
        syncFrame();
      }
      return result;
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
          lastFocus_ = GetNextDlgTabItem(hwnd(), nullptr, FALSE);
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
