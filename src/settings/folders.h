#pragma once

#include <string>
#include <string_view>

#include "platform/shell.h"

// The folders the main window finds at start-up: its own, from the executable's
// path, and the user's profile folder.
namespace velmora::settings {

// The folder part of a path: everything up to and including its last backslash,
// empty when it has none.
std::string folderPart(std::string_view path);

// The user's profile folder with its trailing backslash ("C:\Users\name\"), as the
// shell names it (CSIDL_PROFILE). Empty when the shell names none.
//
// Not the folder above the "Cookies" shell folder, as it was on Windows XP
// ("C:\Documents and Settings\name\Cookies"): since Vista the cookies lie deep in
// the application data ("AppData\Local\Microsoft\Windows\INetCookies"), and the
// folder above them is no profile.
std::string findProfileFolder(platform::Shell& shell);

}  // namespace velmora::settings
