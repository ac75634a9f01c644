#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace velmora::platform::win32 {

// Moves files to their drives' Recycle Bins through the shell, silently, and never
// lets the shell delete one for good instead (RecycleRun::moveToRecycleBin). It
// finds out once whether the shell has a file operation object that works, and
// otherwise takes the older SHFileOperation for the rest of its life. COM must be
// usable on the calling thread.
class ShellRecycler {
 public:
  // The files, each named by its full path in the ordinary (not "\\?\") form, in
  // one operation: one outcome per path, in order.
  std::vector<RecycleOutcome> recycle(const std::vector<std::wstring>& paths);

 private:
  bool noFileOperation_ = false;
};

// What the Recycle Bin of the drive with the root given ("C:\\") holds, and its
// limit (Shell::recycleBinSpace).
std::optional<RecycleBinSpace> recycleBinSpace(const std::wstring& driveRoot);

}  // namespace velmora::platform::win32
