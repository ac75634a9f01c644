#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include "widgets/backend.h"
#include "widgets/dialog_service.h"

namespace velmora::widgets {

// Runs an application with no window system: forms stay headless, the loop runs
// the UI queue and the timers, and text is measured with fixed character widths.
// What a user would do, a test does through the controls' user actions; message
// boxes go to the dialog service the test sets on the application (without one,
// a message box throws std::logic_error). A modal loop that is waiting for its
// form to close gets onModal to close it.
class HeadlessBackend : public Backend {
 public:
  HeadlessBackend() = default;

  void attach(Application& app) override { app_ = &app; }
  PeerFactory* peerFactory() override { return nullptr; }
  DialogService& dialogs() override { return noDialogs_; }
  bool wake() override;
  void runUntil(const std::function<bool()>& done) override;
  void processMessages() override;
  void startTimer(Timer& timer) override;
  void stopTimer(Timer& timer) override;
  Rect screen() const override { return {0, 0, screen_.width, screen_.height}; }
  // The screen without a 40-pixel task bar along the bottom.
  Rect workArea() const override { return {0, 0, screen_.width, screen_.height - 40}; }
  // Width: the longest line in code points times a character width of 6/11 of
  // the font's height (6 pixels for 8 points); height: the lines times the
  // font's height plus 2.
  Size measureText(const Font& font, std::string_view text, int dpi) const override;
  void beginModal(Form& form) override;

  void setScreenSize(Size size) { screen_ = size; }

  // Called, as a task of the modal loop, when a form starts its modal loop: a
  // test answers the form here (clicks its OK button, closes it).
  std::function<void(Form&)> onModal;

 private:
  // Message boxes with no test to answer them are a mistake of the test.
  class NoDialogs : public DialogService {
   public:
    MessageAnswer messageBox(const MessageBoxRequest& request) override;
  };
  struct TimerEntry {
    Timer* timer;
    std::chrono::steady_clock::time_point due;
  };

  void runDueTimers();

  Application* app_ = nullptr;
  NoDialogs noDialogs_;
  Size screen_{1024, 768};
  std::mutex mutex_;
  std::condition_variable woken_;
  bool wakeRequested_ = false;
  std::vector<TimerEntry> timers_;
};

}  // namespace velmora::widgets
