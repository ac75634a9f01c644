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

// The folder a drive category walks on one drive: the root, for rows 0 and 7.
// Row 6 walks recycleBinRoots instead.
std::optional<std::string> driveCategoryRoot(JunkCategory category, char driveLetter);

// The folders the Recycle Bin category (row 6) walks on one drive: the running
// user's own folder, named by the user's security identifier, in "X:\Recycler"
// (Windows XP) and in "X:\$Recycle.Bin" (every Windows since Vista), each where it
// is a plain folder. Never the bin folder as a whole: it holds every user's
// deleted files, and an administrator can list them all. Nothing when the
// identifier is unknown.
std::vector<std::string> recycleBinRoots(char driveLetter, const std::optional<std::string>& userSid,
                                         platform::FileSystem& files);

// The folders a drive-wide category (rows 0 and 7) never walks on the drive whose
// root ("X:\") it walks: the drive's recycle-bin folders. Deleted files are the
// bin's business, and another user's are not ours. Every way of listing a drive
// for those categories skips these folders and what lies below them.
std::vector<std::string> foldersDriveWideCategoriesSkip(std::string_view driveRoot);

// Whether a file lies in a drive's recycle-bin folder (one of those of row 6,
// letter case ignored as the file system ignores it).
bool liesInRecycleBin(std::string_view path, platform::FileSystem& files);

// The folders below a category's root that hold what the user keeps, never junk,
// so the walk skips them as it skips an excluded folder:
// - the Recent folder of Windows 7 and later holds, beside the recent-document
//   shortcuts, the jump lists of the taskbar and Start with the user's pinned
//   items, and Explorer's Quick Access pins ("AutomaticDestinations" and
//   "CustomDestinations");
// - a drive root holds the recycle-bin folders (foldersDriveWideCategoriesSkip).
std::vector<std::string> foldersKeptBelow(JunkCategory category, const std::string& root);

// The folders no category walks, wherever its root lies: "Content.Outlook" in the
// user's internet cache, where the mail program opens attachments (an attachment
// edited there and not saved elsewhere exists only there, beside the temporary
// files of the program that edits it).
std::vector<std::string> foldersNoCategoryWalks(const std::string& profileFolder, platform::FileSystem& files,
                                                platform::RegistryStore& registry);

// A folder a category walks, and the names a file below it must have to be
// listed: "*" stands for any run of characters, letter case is ignored as the file
// system ignores it. Every file is listed when there are no names.
struct ScanRoot {
  std::string folder;
  std::vector<std::string> onlyNames;
};

// Whether a file name matches one of a root's names (see ScanRoot).
bool matchesRootNames(const ScanRoot& root, std::string_view fileName);

// The user's application-data folders, without a trailing backslash, as the
// user's "Shell Folders" key names them ("Local AppData", "AppData"); empty when
// unknown.
struct AppDataFolders {
  std::string local;
  std::string roaming;
};
AppDataFolders appDataFolders(platform::RegistryStore& registry);

// Where Windows 10 and 11 keep temporary files beside the user's Temp folder, each
// where it is a plain folder below the local application data: the DirectX shader
// cache ("D3DSCache"), the error-report stores
// ("Microsoft\Windows\WER\ReportArchive" and "ReportQueue", whole report folders), the crash dumps of
// programs ("CrashDumps"), and Explorer's thumbnail and icon caches
// ("thumbcache_*.db" and "iconcache_*.db" in "Microsoft\Windows\Explorer").
std::vector<ScanRoot> currentTemporaryRoots(const std::string& localAppData, platform::FileSystem& files);

}  // namespace velmora::junk
