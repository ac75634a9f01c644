#include "widgets/win32/window_peer.h"

#include <windowsx.h>

#include "platform/win32/wide.h"
#include "widgets/application.h"
#include "widgets/form.h"
#include "widgets/win32/win32_backend.h"

namespace velmora::widgets::win32 {

using platform::win32::narrow;
using platform::win32::widen;

WORD nextCommandId() {
  // Ids below 100 include IDOK and IDCANCEL, which dialog navigation sends.
  static WORD next = 100;
  if (next == 0xFFFF) next = 100;
  return next++;
}

HFONT WindowPeer::font() const {
  return Win32Backend::of(application()).fonts().get(control_.font(), scale().dpi());
}

void WindowPeer::createChild(const wchar_t* className, DWORD style, DWORD exStyle) {
  WindowPeer* parent = of(*control_.parent());
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (control_.visible()) style |= WS_VISIBLE;
  if (!control_.enabled()) style |= WS_DISABLED;
  create(exStyle | WS_EX_NOPARENTNOTIFY, className, widen(control_.caption()).c_str(), style,
         scale().toPixels(control_.bounds()), parent ? parent->hwnd() : nullptr,
         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nextCommandId())));
  SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
}

std::string WindowPeer::windowText() const {
  const int length = GetWindowTextLengthW(hwnd());
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd(), text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return narrow(text);
}

void WindowPeer::changed(Change what, int) {
  if (!hwnd()) return;
  Mirroring mirroring(*this);
  switch (what) {
    case Change::Bounds: {
      const Rect b = scale().toPixels(control_.bounds());
      SetWindowPos(hwnd(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case Change::Visible:
      ShowWindow(hwnd(), control_.visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Change::Enabled:
      EnableWindow(hwnd(), control_.enabled());
      break;
    case Change::Caption:
      // Text the user just typed comes back as a change of the object; setting
      // it again would move the caret to the start.
      if (windowText() != control_.caption()) SetWindowTextW(hwnd(), widen(control_.caption()).c_str());
      break;
    case Change::Font:
      SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), TRUE);
      InvalidateRect(hwnd(), nullptr, TRUE);
      break;
    case Change::Scale:
      // Through the kind's own handling of both, which may add to it.
      changed(Change::Bounds, -1);
      changed(Change::Font, -1);
      break;
    default:
      break;
  }
}

HBRUSH WindowPeer::onColor(HDC dc) {
  const Color color = control_.font().color;
  SetTextColor(dc,
               color.systemDefault ? GetSysColor(COLOR_WINDOWTEXT) : RGB(color.red, color.green, color.blue));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

bool WindowPeer::routeToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND child = nullptr;
  switch (message) {
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(lParam);
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      child = reinterpret_cast<HWND>(lParam);
      break;
    default:
      return false;
  }
  // Only direct children: a grandchild's notification belongs to its own parent.
  if (!child || GetParent(child) != hwnd()) return false;
  WindowPeer* peer = from(child);
  if (!peer) return false;
  switch (message) {
    case WM_COMMAND:
      result = 0;
      return peer->onCommand(HIWORD(wParam));
    case WM_NOTIFY:
      return peer->onNotify(*reinterpret_cast<NMHDR*>(lParam), result);
    default: {
      HBRUSH brush = peer->onColor(reinterpret_cast<HDC>(wParam));
      result = reinterpret_cast<LRESULT>(brush);
      return brush != nullptr;
    }
  }
}

LRESULT WindowPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (routeToChild(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_MOUSEMOVE:
      if (control_.onMouseMove)
        control_.userMouseMove(scale().toUnits(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (control_.onMouseDown) {
        const MouseButton button = message == WM_LBUTTONDOWN   ? MouseButton::Left
                                   : message == WM_RBUTTONDOWN ? MouseButton::Right
                                                               : MouseButton::Middle;
        control_.userMouseDown(button, scale().toUnits(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      }
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == hwnd() && LOWORD(lParam) == HTCLIENT &&
          control_.cursor() != Cursor::Default) {
        const auto shape = control_.cursor() == Cursor::HandPoint      ? IDC_HAND
                           : control_.cursor() == Cursor::SizeWestEast ? IDC_SIZEWE
                                                                       : IDC_SIZENS;
        SetCursor(LoadCursorW(nullptr, shape));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return callDefault(message, wParam, lParam);
}

}  // namespace velmora::widgets::win32
