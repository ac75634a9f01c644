#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "widgets/control.h"

namespace velmora::widgets {

// A text box for a whole number with up and down arrows. Its value is its text
// read as a number and clamped into minValue..maxValue; text that is not a whole
// number reads as minValue. The arrows (and the Up and Down keys) add or subtract
// the increment. When maxValue is not above minValue the value is not clamped.
class SpinEdit : public Control {
 public:
  bool tabStop() const override { return true; }
  SpinEdit(Control& parent, std::string name);

  int minValue() const { return min_; }
  int maxValue() const { return max_; }
  void setRange(int min, int max);
  int increment() const { return increment_; }
  void setIncrement(int increment) { increment_ = increment; }

  int value() const;
  // Clamps value into the range and shows it.
  void setValue(int value);
  const std::string& text() const { return caption(); }

  std::function<void()> onChange;
  // The user typed: the object takes the text as it stands.
  void userSetText(std::string text);
  // The user pressed an arrow: +1 up, -1 down.
  void userStep(int direction);
  // The focus left the box: a text that is not the value (out of range or not
  // a number) is replaced by the value.
  void userLeave();

  // The whole number text stands for, ignoring blanks around it; nothing for
  // text that is not one or does not fit an int.
  static std::optional<int> parse(std::string_view text);

 protected:
  std::unique_ptr<Peer> createPeer(PeerFactory& factory) override { return factory.make(*this); }

 private:
  int clamp(long long value) const;

  int min_ = 0;
  int max_ = 0;
  int increment_ = 1;
};

}  // namespace velmora::widgets
