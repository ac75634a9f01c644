#include "widgets/indicators.h"

#include <algorithm>

namespace velmora::widgets {

ProgressBar::ProgressBar(Control& parent, std::string name) : Control(parent, std::move(name)) {
  setSize(150, 16);
}

void ProgressBar::setRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  position_ = std::clamp(position_, min_, max_);
  notifyPeer(Change::Options);
  notifyPeer(Change::Value);
}

void ProgressBar::setPosition(int position) {
  position = std::clamp(position, min_, max_);
  if (position == position_) return;
  position_ = position;
  notifyPeer(Change::Value);
}

StatusBar::StatusBar(Control& parent, std::string name) : Control(parent, std::move(name)) {
  setHeight(19);
  setAlign(Align::Bottom);
}

}  // namespace velmora::widgets
