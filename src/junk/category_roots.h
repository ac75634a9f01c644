#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry_store.h"

namespace velmora::junk {

// The eight junk categories, in the order of the type list on the Files page.
enum class JunkCategory : int {
  junkFiles = 0,
  cookies = 1,
  history = 2,
  recent = 3,
  temporary = 4,
  temporaryInternet = 5,
  recycleBin = 6,
  brokenShortcuts = 7,
};
inline constexpr int kJunkCategoryCount = 8;

// Whether a category walks the checked drives (rows 0, 6 and 7) rather than one
// folder of the user's profile (rows 1 to 5).
bool walksDrives(JunkCategory category);

// No category walks a folder that is, or lies below, a reparse point (junction,
// symbolic link, mount point): any user can make C:\Recycler a junction to
// someone's documents, and everything behind it would be listed, checked, and
// deleted. Windows since Vista also leaves its old profile folder names in place
// as junctions that refuse listing. A category whose places are all links, or
// missing, walks nothing.

// The folder a profile category (rows 1 to 5) walks: the profile folder followed by
// the category's old sub-folder ("Cookies", "Local Settings\Temp", ...) when that
// is a plain folder that can be listed. Otherwise the folder's current place from
// the user's "Shell Folders" key ("Cookies", "History", "Recent", "Cache", and
// "Local AppData" followed by "Temp"), when that is a plain folder. Nothing when
// neither is.
std::optional<std::string> profileCategoryRoot(JunkCategory category, const std::string& profileFolder,
                                               platform::FileSystem& files,
                                               platform::RegistryStore& registry);

// The folder a drive category walks on one drive: the root for rows 0 and 7; for
// row 6 the recycle-bin folder, "X:\Recycler" where it is a plain folder and
// otherwise "X:\$Recycle.Bin" (the folder of every Windows since Vista) where that
// is one. Nothing when neither is.
std::optional<std::string> driveCategoryRoot(JunkCategory category, char driveLetter,
                                             platform::FileSystem& files);

// Whether a file lies in a drive's recycle-bin folder (one of those of row 6,
// letter case ignored as the file system ignores it).
bool liesInRecycleBin(std::string_view path, platform::FileSystem& files);

// The folders below a category's root that hold what the user keeps, never junk,
// so the walk skips them as it skips an excluded folder. The Recent folder of
// Windows 7 and later holds, beside the recent-document shortcuts, the jump lists
// of the taskbar and Start with the user's pinned items, and Explorer's Quick
// Access pins ("AutomaticDestinations" and "CustomDestinations").
// The drive-wide categories (rows 0 and 7) keep out of a drive's recycle-bin
// folders in the same way.
std::vector<std::string> foldersKeptBelow(JunkCategory category, const std::string& root);

// The recycle-bin folders of a drive root ("X:\"), as the drive-wide categories
// keep out of them.
std::vector<std::string> recycleBinFoldersOf(const std::string& driveRoot);

}  // namespace velmora::junk
