#pragma once

#include <string>

namespace velmora::contract {

// Saves a shortcut at shortcutPath to target through the shell link object, as
// Windows Explorer makes one; throws std::runtime_error when it cannot.
void makeShortcut(const std::string& shortcutPath, const std::string& target);

}  // namespace velmora::contract
