#include "widgets/spin_edit.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace velmora::widgets {

SpinEdit::SpinEdit(Control& parent, std::string name) : Control(parent, std::move(name)) {
  setSize(57, 22);
  setCaption("0");
}

std::optional<int> SpinEdit::parse(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

int SpinEdit::clamp(long long value) const {
  if (max_ > min_) return static_cast<int>(std::clamp<long long>(value, min_, max_));
  return static_cast<int>(
      std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int SpinEdit::value() const {
  const auto parsed = parse(text());
  return parsed ? clamp(*parsed) : min_;
}

void SpinEdit::setValue(int value) { setCaption(std::to_string(clamp(value))); }

void SpinEdit::setRange(int min, int max) {
  min_ = min;
  max_ = max;
}

void SpinEdit::userSetText(std::string text) {
  if (text == this->text()) return;
  setCaption(std::move(text));
  if (onChange) fire([&] { onChange(); });
}

void SpinEdit::userStep(int direction) {
  if (!enabled() || direction == 0) return;
  const long long next = static_cast<long long>(value()) + (direction > 0 ? increment_ : -increment_);
  const std::string before = text();
  setValue(clamp(next));
  if (text() != before && onChange) fire([&] { onChange(); });
}

void SpinEdit::userLeave() {
  const std::string shown = std::to_string(value());
  if (shown != text()) setCaption(shown);
}

}  // namespace velmora::widgets
