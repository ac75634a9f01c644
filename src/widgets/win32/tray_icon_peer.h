#pragma once

#include <windows.h>

#include <cstdint>

#include "widgets/peer.h"
#include "widgets/tray_icon.h"
#include "widgets/win32/native_window.h"

namespace velmora::widgets::win32 {

// The icon in the notification area, with a hidden window of its own that
// receives the icon's mouse messages. The icon is added again when the task bar
// is recreated (Explorer restarted) and removed when the peer goes.
class TrayIconPeer : public NativeWindow, public Peer {
 public:
  explicit TrayIconPeer(TrayIcon& icon);
  ~TrayIconPeer() override;

  void changed(Change, int) override {}
  std::uintptr_t nativeHandle() const override { return reinterpret_cast<std::uintptr_t>(hwnd()); }
  // Whether the notification area took the icon.
  bool added() const { return added_; }

 protected:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void add();

  TrayIcon& icon_;
  UINT taskbarCreated_;
  bool added_ = false;
};

}  // namespace velmora::widgets::win32
