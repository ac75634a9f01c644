#pragma once

#include <windows.h>

#include "screenshot.h"

namespace velmora::widgets::testing {

// What the X display shows of a window (frame included), read from the display
// itself, as a user sees it, and not through Wine's own copy of the screen,
// which shows what Wine drew into its window surfaces whether or not that ever
// reached the display. The window is first made to paint what it had pending;
// the picture is taken once the display shows what Wine's copy shows, or after
// 10 s as the display keeps it. False when the display could not be read (no X
// display, or not under Wine).
bool captureFromDisplay(HWND window, WindowPicture& picture);

}  // namespace velmora::widgets::testing
