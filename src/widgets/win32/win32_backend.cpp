#include "widgets/win32/win32_backend.h"

#include <commctrl.h>

#include <chrono>

#include "platform/win32/wide.h"
#include "widgets/application.h"
#include "widgets/form.h"
#include "widgets/timer.h"
#include "widgets/win32/form_peer.h"
#include "widgets/win32/native_window.h"
#include "widgets/win32/window_peer.h"

namespace velmora::widgets::win32 {

namespace {

// The timer that continues draining the queue after a time slice ran out.
// WM_TIMER comes after input and painting, so the window stays responsive
// while a worker floods the queue.
constexpr UINT_PTR kDrainTimer = 1;
constexpr auto kDrainSlice = std::chrono::milliseconds(50);

}  // namespace

// The hidden message-only window that receives the queue's wake messages and
// every timer's ticks.
class QueueWindow : public NativeWindow {
 public:
  QueueWindow(Application& app, Win32Backend& backend) : NativeWindow(app), backend_(backend) {
    create(0, registerClass(L"VelmoraQueue", 0, -1, false), L"", 0, {}, HWND_MESSAGE, nullptr);
  }

 protected:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kWakeMessage) {
      backend_.runQueue();
      return 0;
    }
    if (message == WM_TIMER) {
      if (wParam == kDrainTimer) {
        KillTimer(hwnd(), kDrainTimer);
        backend_.runQueue();
      } else {
        backend_.timerFired(wParam);
      }
      return 0;
    }
    return callDefault(message, wParam, lParam);
  }

 private:
  Win32Backend& backend_;
};

Win32Backend::Win32Backend() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                     ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
}

Win32Backend::~Win32Backend() = default;

void Win32Backend::attach(Application& app) {
  app_ = &app;
  queueWindow_ = std::make_unique<QueueWindow>(app, *this);
  queueHwnd_ = queueWindow_->hwnd();
}

bool Win32Backend::wake() {
  // PostMessage fails when the thread's message queue is full (10,000 messages by
  // default), for instance while a worker floods the window with other posts.
  return PostMessageW(queueHwnd_, kWakeMessage, 0, 0) != 0;
}

void Win32Backend::runQueue() {
  if (app_->runPendingTasks(kDrainSlice)) SetTimer(queueHwnd_, kDrainTimer, USER_TIMER_MINIMUM, nullptr);
}

bool Win32Backend::translate(MSG& message) {
  if (!message.hwnd) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  Form* form = FormPeer::formOf(root);
  if (!form) return false;
  if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
    const Shortcut shortcut{static_cast<int>(message.wParam), GetKeyState(VK_CONTROL) < 0,
                            GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0};
    const bool couldBeShortcut =
        shortcut.ctrl || shortcut.alt || (shortcut.key >= VK_F1 && shortcut.key <= VK_F24);
    if (couldBeShortcut && form->userShortcut(shortcut)) return true;
    // Tab goes through the form's own order, which follows containers and
    // pages as the dialog manager does not; Enter presses the focused button,
    // which in a window that is no dialog box the dialog manager does not know.
    auto* peer = dynamic_cast<FormPeer*>(WindowPeer::of(*form));
    const bool plain = !shortcut.ctrl && !shortcut.alt;
    if (peer && plain && shortcut.key == VK_TAB && peer->moveFocus(shortcut.shift)) return true;
    if (peer && plain && !shortcut.shift && shortcut.key == VK_RETURN && peer->pressEnter(message))
      return true;
  }
  // Enter for the default button, Esc, mnemonics.
  return IsDialogMessageW(root, &message);
}

void Win32Backend::runUntil(const std::function<bool()>& done) {
  MSG message;
  while (!done()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // Someone posted WM_QUIT: every loop ends.
      app_->terminate();
      return;
    }
    if (got < 0) return;
    if (!translate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void Win32Backend::processMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      app_->terminate();
      break;
    }
    if (!translate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  runQueue();
}

void Win32Backend::paintPending() {
  // PM_QS_PAINT takes only WM_PAINT (and, as every PeekMessage does, messages
  // other threads send). Asking for messages at all also tells the system the
  // thread is alive, so the window is not shown as not responding.
  // A window that leaves its area invalid would be handed WM_PAINT again and
  // again: a bounded number of rounds keeps that from holding the caller.
  MSG message;
  for (int round = 0; round < 64 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT); ++round)
    DispatchMessageW(&message);
}

void Win32Backend::startTimer(Timer& timer) {
  auto it = timerIds_.find(&timer);
  if (it == timerIds_.end()) {
    it = timerIds_.emplace(&timer, nextTimerId_++).first;
    timers_.emplace(it->second, &timer);
  }
  SetTimer(queueHwnd_, it->second, static_cast<UINT>(timer.interval()), nullptr);
}

void Win32Backend::stopTimer(Timer& timer) {
  auto it = timerIds_.find(&timer);
  if (it == timerIds_.end()) return;
  KillTimer(queueHwnd_, it->second);
  timers_.erase(it->second);
  timerIds_.erase(it);
}

void Win32Backend::timerFired(UINT_PTR id) {
  auto it = timers_.find(id);
  if (it != timers_.end()) it->second->tick();
}

Rect Win32Backend::screen() const {
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Rect Win32Backend::workArea() const {
  RECT r{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return screen();
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Size Win32Backend::measureText(const Font& font, std::string_view text, int dpi) const {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, fonts_.get(font, dpi));
  RECT r{0, 0, 0, 0};
  // An empty text still takes one line's height, as a label shows it.
  const std::wstring wide = text.empty() ? std::wstring(L" ") : platform::win32::widen(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_CALCRECT | DT_LEFT | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // A font scaled to another DPI is not exactly scaled text: the text is
  // measured in the pixels it will be drawn in.
  const DisplayScale scale(dpi);
  return {text.empty() ? 0 : scale.toUnitsRoundingUp(r.right - r.left),
          scale.toUnitsRoundingUp(r.bottom - r.top)};
}

namespace {

struct ModalScan {
  std::vector<HWND>* disabled;
};

BOOL CALLBACK disableOne(HWND hwnd, LPARAM param) {
  auto* scan = reinterpret_cast<ModalScan*>(param);
  if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    scan->disabled->push_back(hwnd);
  }
  return TRUE;
}

}  // namespace

void Win32Backend::beginModal(Form& form) {
  // The form is still hidden: every visible window of the thread stops taking
  // input until the modal loop ends.
  ModalScan scan{&disabledByModal_[&form]};
  EnumThreadWindows(GetCurrentThreadId(), disableOne, reinterpret_cast<LPARAM>(&scan));
}

void Win32Backend::endModal(Form& form) {
  auto it = disabledByModal_.find(&form);
  if (it == disabledByModal_.end()) return;
  for (HWND hwnd : it->second)
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  disabledByModal_.erase(it);
}

}  // namespace velmora::widgets::win32
