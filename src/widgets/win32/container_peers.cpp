#include "widgets/win32/container_peers.h"

#include <windowsx.h>

namespace velmora::widgets::win32 {

PanelPeer::PanelPeer(Panel& panel) : WindowPeer(panel) {
  // Redrawn whole on every resize: the bevel runs along all four edges.
  // A container of controls: Windows looks inside it for a pressed mnemonic.
  createChild(registerClass(L"VelmoraPanel", CS_HREDRAW | CS_VREDRAW, COLOR_BTNFACE, false), WS_CLIPCHILDREN,
              WS_EX_CONTROLPARENT);
}

void PanelPeer::changed(Change what, int index) {
  if (what == Change::Options) {
    InvalidateRect(hwnd(), nullptr, TRUE);
    return;
  }
  WindowPeer::changed(what, index);
}

LRESULT PanelPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd(), &paint);
    const Bevel bevel = static_cast<Panel&>(control()).bevel();
    if (bevel != Bevel::None) {
      RECT r;
      GetClientRect(hwnd(), &r);
      DrawEdge(dc, &r, bevel == Bevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    }
    EndPaint(hwnd(), &paint);
    return 0;
  }
  return WindowPeer::handle(message, wParam, lParam);
}

GroupBoxPeer::GroupBoxPeer(GroupBox& box) : WindowPeer(box) {
  createChild(L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

LRESULT GroupBoxPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    // The button class leaves a group box's inside unpainted, and the parent
    // clips its children, so nobody else would paint it.
    RECT r;
    GetClientRect(hwnd(), &r);
    FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
  }
  if (message == WM_NCHITTEST) {
    // The button class makes a group box transparent to the mouse; its own
    // mouse events (and the pointer over its free area) need it to be there.
    return HTCLIENT;
  }
  return WindowPeer::handle(message, wParam, lParam);
}

TabSheetPeer::TabSheetPeer(TabSheet& sheet) : WindowPeer(sheet) {
  createChild(registerClass(L"VelmoraPage", 0, COLOR_BTNFACE, false), WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

SplitterPeer::SplitterPeer(Splitter& splitter) : WindowPeer(splitter) {
  createChild(registerClass(L"VelmoraSplitter", 0, COLOR_BTNFACE, false), 0);
}

int SplitterPeer::pointerOnScreen(LPARAM lParam) const {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(hwnd(), &p);
  // In units, as the splitter moves.
  return scale().toUnits(horizontal() ? p.x : p.y);
}

bool SplitterPeer::horizontal() const {
  return splitter().align() == Align::Left || splitter().align() == Align::Right;
}

LRESULT SplitterPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, horizontal() ? IDC_SIZEWE : IDC_SIZENS));
      return TRUE;
    case WM_LBUTTONDOWN: {
      SetCapture(hwnd());
      last_ = pointerOnScreen(lParam);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (GetCapture() == hwnd()) {
        // The bar follows the pointer live, as far as the limits let it. The
        // pointer is measured on the screen, since the bar itself moves.
        const int now = pointerOnScreen(lParam);
        last_ += splitter().userDrag(now - last_);
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd()) ReleaseCapture();
      return 0;
    default:
      break;
  }
  return WindowPeer::handle(message, wParam, lParam);
}

}  // namespace velmora::widgets::win32
