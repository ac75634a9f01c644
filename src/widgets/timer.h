#pragma once

#include <functional>
#include <string>

#include "widgets/component.h"

namespace velmora::widgets {

// Ticks on the UI thread every interval while enabled, whether its form is shown,
// hidden or never realized. Created enabled with an interval of 1000 ms, so it
// ticks from its creation on; an interval of 0 never ticks.
class Timer : public Component {
 public:
  Timer(Form& owner, std::string name);
  ~Timer() override;

  int interval() const { return interval_; }
  void setInterval(int milliseconds);
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  // Whether the loop should tick it now: enabled with a positive interval.
  bool running() const { return enabled_ && interval_ > 0; }

  std::function<void()> onTimer;
  // One tick, as the loop makes it: fires onTimer.
  void tick();

 private:
  void restart();
  int interval_ = 1000;
  bool enabled_ = true;
};

}  // namespace velmora::widgets
