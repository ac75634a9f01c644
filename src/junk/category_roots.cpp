#include "junk/category_roots.h"

#include "registry/registry_object.h"

namespace velmora::junk {
namespace {

constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

struct ProfileFolderPlaces {
  const char* oldSubFolder;      // Below the profile folder, as Windows XP kept it.
  const char* shellFolder;       // Value of the "Shell Folders" key with today's place.
  const char* belowShellFolder;  // Appended to that place.
};

ProfileFolderPlaces placesOf(JunkCategory category) {
  switch (category) {
    case JunkCategory::cookies:
      return {"Cookies", "Cookies", ""};
    case JunkCategory::history:
      return {"Local Settings\\History", "History", ""};
    case JunkCategory::recent:
      return {"Recent", "Recent", ""};
    case JunkCategory::temporary:
      return {"Local Settings\\Temp", "Local AppData", "\\Temp"};
    case JunkCategory::temporaryInternet:
      return {"Local Settings\\Temporary Internet Files", "Cache", ""};
    default:
      return {"", "", ""};
  }
}

// The recycle-bin folders of a drive root, the old one first.
constexpr const char* kRecycleBinFolders[] = {"Recycler", "$Recycle.Bin"};

// A value of the user's "Shell Folders" key; empty when the key or value is missing
// or holds no text.
std::string shellFolder(platform::RegistryStore& store, const std::string& name) {
  registry::TRegistry reg(store);
  if (!reg.OpenForRead(kShellFoldersKey)) return {};
  try {
    return reg.ReadText(name);
  } catch (const registry::ERegistryException&) {
    return {};
  }
}

// Whether a folder's entries can be listed. A folder that exists but refuses
// listing (access denied, as the old profile names of Windows since Vista do)
// holds nothing the scan can reach, which is no sign that the category is empty.
bool canBeListed(platform::FileSystem& files, const std::string& folder) {
  platform::FindData entry;
  const platform::FileSearch search = files.findFirstFile(folder + "\\*.*", entry);
  return search || search.error() == platform::FileError::fileNotFound;
}

}  // namespace

bool walksDrives(JunkCategory category) {
  return category == JunkCategory::junkFiles || category == JunkCategory::recycleBin ||
         category == JunkCategory::brokenShortcuts;
}

std::optional<std::string> profileCategoryRoot(JunkCategory category, const std::string& profileFolder,
                                               platform::FileSystem& files,
                                               platform::RegistryStore& registry) {
  const ProfileFolderPlaces places = placesOf(category);
  std::string oldPlace = profileFolder + places.oldSubFolder;
  if (files.plainDirectoryExists(oldPlace) && canBeListed(files, oldPlace)) return oldPlace;
  std::string current = shellFolder(registry, places.shellFolder);
  if (current.empty()) return std::nullopt;
  current += places.belowShellFolder;
  if (!files.plainDirectoryExists(current)) return std::nullopt;
  return current;
}

std::optional<std::string> driveCategoryRoot(JunkCategory category, char driveLetter,
                                             platform::FileSystem& files) {
  std::string root = std::string(1, driveLetter) + ":\\";
  if (category != JunkCategory::recycleBin) return root;
  for (const char* bin : kRecycleBinFolders)
    if (files.plainDirectoryExists(root + bin)) return root + bin;
  return std::nullopt;
}

bool liesInRecycleBin(std::string_view path, platform::FileSystem& files) {
  if (path.size() < 3 || path[1] != ':' || path[2] != '\\') return false;
  for (const char* bin : kRecycleBinFolders) {
    const std::string folder = std::string(path.substr(0, 3)) + bin + "\\";
    if (path.size() > folder.size() && files.equalIgnoringCase(path.substr(0, folder.size()), folder))
      return true;
  }
  return false;
}

std::vector<std::string> foldersKeptBelow(JunkCategory category, const std::string& root) {
  const std::string folder = root.ends_with('\\') ? root : root + '\\';
  if (category == JunkCategory::recent)
    return {folder + "AutomaticDestinations", folder + "CustomDestinations"};
  if (category == JunkCategory::junkFiles || category == JunkCategory::brokenShortcuts)
    return recycleBinFoldersOf(folder);
  return {};
}

std::vector<std::string> recycleBinFoldersOf(const std::string& driveRoot) {
  // What the bin holds is the Recycle Bin category's alone: a junk name or a
  // shortcut in it is the user's deleted file, which only that category empties.
  return {driveRoot + "Recycler", driveRoot + "$Recycle.Bin"};
}

}  // namespace velmora::junk
