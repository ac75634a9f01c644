#include "widgets/win32/spin_edit_peer.h"

#include "widgets/win32/dpi.h"

namespace velmora::widgets::win32 {

SpinEditPeer::SpinEditPeer(SpinEdit& spin) : WindowPeer(spin) {
  createChild(L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
  // A child of the edit box, so that it moves and hides with it; its
  // notifications come to the edit box, where this peer answers them.
  upDown_ = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd(), nullptr,
                            moduleInstance(), nullptr);
  // The middle of a range, so that both arrows always report a step.
  SendMessageW(upDown_, UDM_SETRANGE32, 0, 100);
  SendMessageW(upDown_, UDM_SETPOS32, 0, 50);
  placeUpDown();
}

void SpinEditPeer::placeUpDown() {
  RECT client;
  GetClientRect(hwnd(), &client);
  const int width = systemMetric(SM_CXVSCROLL, scale().dpi());
  SetWindowPos(upDown_, nullptr, client.right - width, 0, width, client.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE);
  // The text stops short of the arrows.
  SendMessageW(hwnd(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

bool SpinEditPeer::onCommand(UINT code) {
  if (code != EN_CHANGE || mirroring()) return false;
  spin().userSetText(windowText());
  return true;
}

LRESULT SpinEditPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<NMHDR*>(lParam);
      if (header.hwndFrom == upDown_ && header.code == UDN_DELTAPOS) {
        spin().userStep(reinterpret_cast<const NMUPDOWN&>(header).iDelta > 0 ? 1 : -1);
        return TRUE;  // the up-down's own position stays in the middle
      }
      break;
    }
    case WM_KEYDOWN:
      if (wParam == VK_UP || wParam == VK_DOWN) {
        spin().userStep(wParam == VK_UP ? 1 : -1);
        return 0;
      }
      break;
    case WM_SIZE: {
      const LRESULT result = WindowPeer::handle(message, wParam, lParam);
      placeUpDown();
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = WindowPeer::handle(message, wParam, lParam);
      spin().userLeave();
      return result;
    }
    default:
      break;
  }
  return WindowPeer::handle(message, wParam, lParam);
}

}  // namespace velmora::widgets::win32
