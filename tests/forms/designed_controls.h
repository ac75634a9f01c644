#pragma once

#include <gtest/gtest.h>

#include <span>
#include <string_view>

#include "widgets/form.h"

namespace velmora::forms::testing {

// One named control of a window as designed: its caption, and where the design
// fixes it, its place (a negative left leaves the place unchecked, a zero width
// or height leaves the size to the control).
struct Designed {
  std::string_view name;
  std::string_view caption;
  widgets::Rect place{-1, -1, 0, 0};
};

// Every control of the table exists on form under its name, with its designed
// caption and place.
inline void expectDesigned(const widgets::Form& form, std::span<const Designed> table) {
  for (const Designed& d : table) {
    SCOPED_TRACE(d.name);
    const auto* control = form.find<widgets::Control>(d.name);
    if (control == nullptr) {
      ADD_FAILURE() << "no control named " << d.name;
      continue;
    }
    EXPECT_EQ(control->caption(), d.caption);
    if (d.place.left >= 0) {
      EXPECT_EQ(control->left(), d.place.left);
      EXPECT_EQ(control->top(), d.place.top);
    }
    if (d.place.width > 0) {
      EXPECT_EQ(control->width(), d.place.width);
    }
    if (d.place.height > 0) {
      EXPECT_EQ(control->height(), d.place.height);
    }
  }
}

}  // namespace velmora::forms::testing
