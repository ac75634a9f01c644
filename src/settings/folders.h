#pragma once

#include <string>
#include <string_view>

#include "platform/registry_store.h"

// The folders the main window finds at start-up: its own, from the executable's
// path, and the user's profile folder, from the registry.
namespace velmora::settings {

// The folder part of a path: everything up to and including its last backslash,
// empty when it has none.
std::string folderPart(std::string_view path);

// The user's profile folder with its trailing backslash: the folder that holds the
// cookie folder named by the value "Cookies" of the current user's key
// "Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders". Empty when
// the key or the value is missing, or the value holds no backslash.
std::string findProfileFolder(platform::RegistryStore& registry);

}  // namespace velmora::settings
