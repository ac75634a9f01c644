#pragma once

#include <string>

namespace velmora::widgets {

// Shows an empty main window with the given caption and runs the message loop until
// it is closed. Returns the program's exit code.
int runStartupWindow(const std::string& caption);

}  // namespace velmora::widgets
