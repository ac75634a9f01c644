#include "widgets/timer.h"

#include "widgets/application.h"
#include "widgets/form.h"

namespace velmora::widgets {

Timer::Timer(Form& owner, std::string name) : Component(owner, std::move(name)) { restart(); }

Timer::~Timer() { form().application().backend().stopTimer(*this); }

void Timer::restart() {
  Backend& backend = form().application().backend();
  if (running())
    backend.startTimer(*this);
  else
    backend.stopTimer(*this);
}

void Timer::setInterval(int milliseconds) {
  if (milliseconds < 0) milliseconds = 0;
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  restart();
}

void Timer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  restart();
}

void Timer::tick() {
  if (onTimer) fire([&] { onTimer(); });
}

}  // namespace velmora::widgets
