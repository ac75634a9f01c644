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

// Whether name matches pattern, where "*" stands for any run of characters and
// ASCII letters match either case (the names compared here are ASCII).
bool matchesStarPattern(std::string_view pattern, std::string_view name) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starAt = std::string_view::npos;
  std::size_t resumeAt = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      resumeAt = n;
    } else if (p < pattern.size() && lower(pattern[p]) == lower(name[n])) {
      ++p;
      ++n;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;
      n = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
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

std::optional<std::string> driveCategoryRoot(JunkCategory category, char driveLetter) {
  if (category == JunkCategory::recycleBin) return std::nullopt;
  return std::string(1, driveLetter) + ":\\";
}

std::vector<std::string> recycleBinRoots(char driveLetter, const std::optional<std::string>& userSid,
                                         platform::FileSystem& files) {
  std::vector<std::string> roots;
  // A text SID is "S-1-" and numbers between dashes; anything else could name a
  // folder elsewhere ("..", a path) and names none here.
  if (!userSid || !userSid->starts_with("S-1-") || userSid->find_first_not_of("S-0123456789") != std::string::npos)
    return roots;
  const std::string drive = std::string(1, driveLetter) + ":\\";
  for (const char* bin : kRecycleBinFolders) {
    // The bin folder itself must be plain too: the user's folder is reached through it.
    std::string own = drive + bin + "\\" + *userSid;
    if (files.plainDirectoryExists(own)) roots.push_back(std::move(own));
  }
  return roots;
}

std::vector<std::string> foldersDriveWideCategoriesSkip(std::string_view driveRoot) {
  std::string root(driveRoot);
  if (!root.ends_with('\\')) root += '\\';
  std::vector<std::string> folders;
  for (const char* bin : kRecycleBinFolders) folders.push_back(root + bin);
  return folders;
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
  switch (category) {
    case JunkCategory::recent:
      return {folder + "AutomaticDestinations", folder + "CustomDestinations"};
    case JunkCategory::junkFiles:
    case JunkCategory::brokenShortcuts:
      return foldersDriveWideCategoriesSkip(root);
    default:
      return {};
  }
}

std::vector<std::string> foldersNoCategoryWalks(const std::string& profileFolder, platform::FileSystem& files,
                                                platform::RegistryStore& registry) {
  std::vector<std::string> folders;
  if (auto cache = profileCategoryRoot(JunkCategory::temporaryInternet, profileFolder, files, registry))
    folders.push_back(*cache + "\\Content.Outlook");
  return folders;
}

bool matchesRootNames(const ScanRoot& root, std::string_view fileName) {
  if (root.onlyNames.empty()) return true;
  for (const std::string& pattern : root.onlyNames)
    if (matchesStarPattern(pattern, fileName)) return true;
  return false;
}

AppDataFolders appDataFolders(platform::RegistryStore& registry) {
  return {shellFolder(registry, "Local AppData"), shellFolder(registry, "AppData")};
}

std::vector<ScanRoot> currentTemporaryRoots(const std::string& localAppData, platform::FileSystem& files) {
  std::vector<ScanRoot> roots;
  if (localAppData.empty()) return roots;
  const std::string local = localAppData.ends_with('\\') ? localAppData : localAppData + '\\';
  const ScanRoot places[] = {
      {local + "D3DSCache", {}},
      {local + "Microsoft\\Windows\\WER\\ReportArchive", {}},
      {local + "Microsoft\\Windows\\WER\\ReportQueue", {}},
      {local + "CrashDumps", {}},
      // Explorer's folder holds other things too: only its caches are junk.
      {local + "Microsoft\\Windows\\Explorer", {"thumbcache_*.db", "iconcache_*.db"}},
  };
  for (const ScanRoot& place : places)
    if (files.plainDirectoryExists(place.folder)) roots.push_back(place);
  return roots;
}

}  // namespace velmora::junk
