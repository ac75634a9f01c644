#include "widgets/headless_backend.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "widgets/application.h"
#include "widgets/timer.h"

namespace velmora::widgets {

MessageAnswer HeadlessBackend::NoDialogs::messageBox(const MessageBoxRequest& request) {
  throw std::logic_error("a message box was shown with no dialog service to answer it: " + request.text);
}

bool HeadlessBackend::wake() {
  std::lock_guard lock(mutex_);
  wakeRequested_ = true;
  woken_.notify_all();
  return true;
}

void HeadlessBackend::runUntil(const std::function<bool()>& done) {
  while (!done()) {
    const bool tasksLeft = app_->runPendingTasks();
    runDueTimers();
    if (done()) return;
    if (tasksLeft) continue;
    std::unique_lock lock(mutex_);
    if (timers_.empty()) {
      woken_.wait(lock, [this] { return wakeRequested_; });
    } else {
      const auto next = std::min_element(timers_.begin(), timers_.end(), [](const auto& a, const auto& b) {
                          return a.due < b.due;
                        })->due;
      woken_.wait_until(lock, next, [this] { return wakeRequested_; });
    }
    wakeRequested_ = false;
  }
}

void HeadlessBackend::processMessages() {
  app_->runPendingTasks();
  runDueTimers();
}

void HeadlessBackend::startTimer(Timer& timer) {
  stopTimer(timer);
  timers_.push_back({&timer, std::chrono::steady_clock::now() + std::chrono::milliseconds(timer.interval())});
}

void HeadlessBackend::stopTimer(Timer& timer) {
  std::erase_if(timers_, [&](const TimerEntry& e) { return e.timer == &timer; });
}

void HeadlessBackend::runDueTimers() {
  const auto now = std::chrono::steady_clock::now();
  std::vector<Timer*> due;
  for (TimerEntry& entry : timers_) {
    if (entry.due > now) continue;
    due.push_back(entry.timer);
    entry.due = now + std::chrono::milliseconds(entry.timer->interval());
  }
  // A tick may stop or destroy another timer: each is looked up again first.
  for (Timer* timer : due) {
    const bool stillThere =
        std::any_of(timers_.begin(), timers_.end(), [&](const TimerEntry& e) { return e.timer == timer; });
    if (stillThere) timer->tick();
  }
}

Size HeadlessBackend::measureText(const Font& font, std::string_view text, int) const {
  // Made-up widths that do not depend on the display: units are the same on every one.
  const int height = std::abs(font.height);
  const int charWidth = std::max(1, (height * 6 + 5) / 11);
  int lines = 1;
  int widest = 0;
  int current = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      ++lines;
      current = 0;
      continue;
    }
    if (c == '\r') continue;
    // One column per code point: continuation bytes of UTF-8 add nothing.
    if ((c & 0xC0) != 0x80) widest = std::max(widest, ++current);
  }
  return {widest * charWidth, lines * (height + 2)};
}

void HeadlessBackend::beginModal(Form& form) {
  if (onModal) app_->post([this, &form] { onModal(form); });
}

}  // namespace velmora::widgets
