#pragma once

#include <string>

#include "widgets/control.h"

// Controls that only show something: a progress bar and a status line.
namespace velmora::widgets {

// A bar that shows a position within a range.
class ProgressBar : public Control {
 public:
  ProgressBar(Control& parent, std::string name);

  int min() const { return min_; }
  int max() const { return max_; }
  // A range with max below min is taken as min..min.
  void setRange(int min, int max);
  int position() const { return position_; }
  // Clamped into the range.
  void setPosition(int position);

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }

 private:
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

// A status line along the bottom of a form with one simple text.
class StatusBar : public Control {
 public:
  // Aligned to the bottom, 19 pixels high.
  StatusBar(Control& parent, std::string name);

  const std::string& simpleText() const { return caption(); }
  void setSimpleText(std::string text) { setCaption(std::move(text)); }

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }
};

}  // namespace velmora::widgets
