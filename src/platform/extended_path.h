#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::platform {

// The extended-length form of a full path: "\\?\C:\dir\name" for a drive path and
// "\\?\UNC\server\share\dir\name" for a network path. Windows takes a path in this
// form exactly as written: it may be longer than 260 characters, and a name that
// ends in a dot or a space, or that is named like a device (nul, con), addresses
// exactly that file instead of being trimmed or taken for the device.
//
// Because Windows no longer tidies such a path, this does what it would have done
// to the folders on the way: "/" becomes "\", repeated separators collapse, and
// "." and ".." components are resolved (".." never climbs above the root). A
// trailing separator is kept. Names themselves are never changed.
//
// A path that is already in the "\\?\" or "\\.\" form is returned as it is. A path
// that is not a full path (relative, rooted without a drive such as "\dir",
// drive-relative such as "C:dir", a "\\server" without a share, or empty) gives
// nothing: it would otherwise be resolved against the working folder, which the
// program never relies on.
std::optional<std::string> extendedLengthPath(std::string_view path);

}  // namespace velmora::platform
