#include "widgets/win32/tray_icon_peer.h"

#include <shellapi.h>

#include "widgets/application.h"
#include "widgets/form.h"
#include "widgets/win32/private_messages.h"

namespace velmora::widgets::win32 {

namespace {

constexpr UINT kIconId = 1;

NOTIFYICONDATAW iconData(HWND hwnd) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = hwnd;
  data.uID = kIconId;
  return data;
}

}  // namespace

TrayIconPeer::TrayIconPeer(TrayIcon& icon)
    : NativeWindow(icon.form().application()),
      icon_(icon),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
  // CS_DBLCLKS: the notification area reports double clicks only to windows
  // whose class asks for them.
  create(0, registerClass(L"VelmoraTray", CS_DBLCLKS, -1, false), L"", WS_POPUP, {}, nullptr, nullptr);
  add();
}

TrayIconPeer::~TrayIconPeer() {
  if (added_ && hwnd()) {
    NOTIFYICONDATAW data = iconData(hwnd());
    Shell_NotifyIconW(NIM_DELETE, &data);
  }
  destroy();
}

void TrayIconPeer::add() {
  NOTIFYICONDATAW data = iconData(hwnd());
  data.uFlags = NIF_MESSAGE | NIF_ICON;
  data.uCallbackMessage = kTrayMessage;
  data.hIcon = applicationIcon(true);
  added_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

LRESULT TrayIconPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayMessage) {
    switch (LOWORD(lParam)) {
      case WM_RBUTTONDOWN: {
        POINT pointer{};
        GetCursorPos(&pointer);
        icon_.userRightButtonDown({pointer.x, pointer.y});
        break;
      }
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDBLCLK:
        icon_.userDoubleClick();
        break;
      default:
        break;
    }
    return 0;
  }
  if (message == taskbarCreated_) {
    add();
    return 0;
  }
  return callDefault(message, wParam, lParam);
}

}  // namespace velmora::widgets::win32
