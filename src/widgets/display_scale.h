#pragma once

#include "widgets/geometry.h"

namespace velmora::widgets {

// Every size and position of a form and its controls is designed, set and read
// in units of a 96-DPI display. A form shown on a display of another DPI keeps
// those figures; its native peers turn them into pixels with this scale, and
// pixels that Windows reports back into units, so that layouts, column widths
// and fonts are scaled in one place.
class DisplayScale {
 public:
  static constexpr int kDesignDpi = 96;

  constexpr explicit DisplayScale(int dpi = kDesignDpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}

  constexpr int dpi() const { return dpi_; }

  // Lengths, rounded to the nearest pixel or unit (halves away from zero).
  constexpr int toPixels(int units) const { return mulDivRound(units, dpi_, kDesignDpi); }
  constexpr int toUnits(int pixels) const { return mulDivRound(pixels, kDesignDpi, dpi_); }
  // The units that hold a length of pixels: text measured in pixels must fit in
  // the units it is given, or the pixels they turn back into would clip it.
  constexpr int toUnitsRoundingUp(int pixels) const {
    const long long scaled = static_cast<long long>(pixels) * kDesignDpi;
    return static_cast<int>(scaled >= 0 ? (scaled + dpi_ - 1) / dpi_ : scaled / dpi_);
  }

  // Rectangles by their edges, so that controls that touch in units touch in
  // pixels too, with neither a gap nor an overlap from rounding.
  constexpr Rect toPixels(Rect units) const {
    const int left = toPixels(units.left);
    const int top = toPixels(units.top);
    return {left, top, toPixels(units.right()) - left, toPixels(units.bottom()) - top};
  }
  constexpr Rect toUnits(Rect pixels) const {
    const int left = toUnits(pixels.left);
    const int top = toUnits(pixels.top);
    return {left, top, toUnits(pixels.right()) - left, toUnits(pixels.bottom()) - top};
  }
  constexpr Point toUnits(Point pixels) const { return {toUnits(pixels.x), toUnits(pixels.y)}; }
  constexpr Insets toUnits(Insets pixels) const {
    return {toUnits(pixels.left), toUnits(pixels.top), toUnits(pixels.right), toUnits(pixels.bottom)};
  }

 private:
  static constexpr int mulDivRound(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
  }

  int dpi_;
};

}  // namespace velmora::widgets
