#pragma once

// Positions and sizes of forms and controls, in units of a 96-DPI display, which
// their native peers scale to the display's pixels (DisplayScale). A control's
// position is relative to the top-left corner of its parent (a form's to the
// screen's).
namespace velmora::widgets {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  constexpr int right() const { return left + width; }
  constexpr int bottom() const { return top + height; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The widths of a frame around an area: a form's border and title bar around its
// client area, a page control's tabs around its pages.
struct Insets {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const Insets&, const Insets&) = default;
};

}  // namespace velmora::widgets
