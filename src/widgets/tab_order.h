#pragma once

#include <vector>

#include "widgets/control.h"
#include "widgets/form.h"

namespace velmora::widgets {

// The controls Tab moves between on a form, in reading order: the children of
// each control left to right along a row and rows top to bottom, each container
// followed into in its place. Only controls that take the keyboard (Control::
// tabStop), are showing and are enabled, with their parents, count; a page
// control comes before the controls of its active page.
std::vector<Control*> tabOrder(const Form& form);

// The control Tab (or Shift+Tab, backwards) moves to from `from`, going round at
// the ends; the first (or last) one when `from` is none of them; null when the
// form has no control that takes the keyboard.
Control* nextInTabOrder(const Form& form, const Control* from, bool backwards);

}  // namespace velmora::widgets
