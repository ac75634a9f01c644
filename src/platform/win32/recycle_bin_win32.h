#pragma once

#include <optional>
#include <string>

#include "platform/shell.h"

namespace velmora::platform::win32 {

// Moves one file, named by its full path in the ordinary (not "\\?\") form, to its
// drive's Recycle Bin through the shell, silently, and never lets the shell delete
// it for good instead. COM must be usable on the calling thread.
RecycleOutcome recycleFile(const std::wstring& path);

// What the Recycle Bin of the drive with the root given ("C:\\") holds, and its
// limit (Shell::recycleBinSpace).
std::optional<RecycleBinSpace> recycleBinSpace(const std::wstring& driveRoot);

}  // namespace velmora::platform::win32
