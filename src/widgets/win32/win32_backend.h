#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "widgets/application.h"
#include "widgets/backend.h"
#include "widgets/win32/font_cache.h"
#include "widgets/win32/message_boxes.h"
#include "widgets/win32/peer_factory.h"

namespace velmora::widgets::win32 {

class QueueWindow;

// The Win32 window system: standard controls as peers, a GetMessage loop that
// translates menu shortcuts and dialog keys (Tab, Enter for the default button)
// for the forms, and a hidden message-only window that runs the UI queue when
// woken and ticks the timers.
class Win32Backend : public Backend {
 public:
  Win32Backend();
  ~Win32Backend() override;

  static Win32Backend& of(Application& app) { return static_cast<Win32Backend&>(app.backend()); }

  void attach(Application& app) override;
  PeerFactory* peerFactory() override { return &peers_; }
  DialogService& dialogs() override { return dialogs_; }
  bool wake() override;
  void runUntil(const std::function<bool()>& done) override;
  void processMessages() override;
  void paintPending() override;
  void startTimer(Timer& timer) override;
  void stopTimer(Timer& timer) override;
  Rect screen() const override;
  Rect workArea() const override;
  Size measureText(const Font& font, std::string_view text, int dpi) const override;
  void beginModal(Form& form) override;
  void endModal(Form& form) override;

  FontCache& fonts() const { return fonts_; }
  Application& application() const { return *app_; }

  // The queue window's side: a wake arrived; a timer ticked.
  void runQueue();
  void timerFired(UINT_PTR id);

 private:
  // Shortcut keys and dialog navigation for the form the message is for; true
  // when the message was used up.
  bool translate(MSG& message);

  Application* app_ = nullptr;
  Win32PeerFactory peers_;
  Win32Dialogs dialogs_;
  mutable FontCache fonts_;
  std::unique_ptr<QueueWindow> queueWindow_;
  HWND queueHwnd_ = nullptr;
  // Timer ids are never reused, so a WM_TIMER still queued for a timer that is
  // gone finds nothing instead of another timer.
  std::unordered_map<UINT_PTR, Timer*> timers_;
  std::unordered_map<Timer*, UINT_PTR> timerIds_;
  UINT_PTR nextTimerId_ = 1000;
  std::map<Form*, std::vector<HWND>> disabledByModal_;
};

}  // namespace velmora::widgets::win32
