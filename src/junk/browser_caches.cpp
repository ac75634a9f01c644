#include "junk/browser_caches.h"

#include <algorithm>

#include "platform/profile_file.h"

namespace velmora::junk {
namespace {

struct ChromiumBrowser {
  const char* name;
  const char* userData;  // Below the local application data.
};

constexpr ChromiumBrowser kChromiumBrowsers[] = {
    {"Google Chrome", "Google\\Chrome\\User Data"},
    {"Microsoft Edge", "Microsoft\\Edge\\User Data"},
    {"Brave", "BraveSoftware\\Brave-Browser\\User Data"},
    {"Vivaldi", "Vivaldi\\User Data"},
    {"Chromium", "Chromium\\User Data"},
};

// The caches of one Chromium profile folder, and those of the "User Data" level.
constexpr const char* kProfileCaches[] = {"Cache", "Code Cache", "GPUCache", "Media Cache"};
constexpr const char* kUserDataCaches[] = {"GrShaderCache", "GraphiteDawnCache", "ShaderCache"};

// Firefox's caches in a profile's local folder.
constexpr const char* kFirefoxCaches[] = {"cache2", "startupCache"};

// How many "ProfileN" sections of profiles.ini are read at most: Firefox itself
// stops at the first number missing, and a damaged file must not loop for long.
constexpr int kMaxFirefoxProfiles = 1000;

std::string joined(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (!path.ends_with('\\')) path += '\\';
  path += name;
  return path;
}

// Whether a browser's lock file is held by a running browser. Only its absence
// says the browser is closed; a lock that is there but cannot be opened for any
// other reason (a sharing violation while it runs, access denied) counts as held.
bool lockHeld(platform::FileSystem& files, const std::string& lockPath) {
  const platform::FileSize lock = files.exclusiveFileSize(lockPath);
  return !lock && lock.error != platform::FileError::fileNotFound &&
         lock.error != platform::FileError::pathNotFound;
}

// The plain sub-folders of a folder, by name, in the order the file system lists them.
std::vector<std::string> subFolders(platform::FileSystem& files, const std::string& folder) {
  std::vector<std::string> names;
  std::vector<platform::FindData> batch;
  platform::FolderListing listing = files.listFolder(folder);
  while (listing.nextBatch(batch))
    for (platform::FindData& entry : batch)
      if (entry.isDirectory() && !entry.isReparsePoint() && entry.name != "." && entry.name != "..")
        names.push_back(std::move(entry.name));
  return names;
}

bool isChromiumProfile(platform::FileSystem& files, const std::string& userData, const std::string& name) {
  if (name == "Default" || name == "Guest Profile" || name.starts_with("Profile ")) return true;
  return files.fileExists(joined(joined(userData, name), "Preferences"));
}

void addPlainFolder(platform::FileSystem& files, std::string folder, std::vector<std::string>& out) {
  if (files.plainDirectoryExists(folder)) out.push_back(std::move(folder));
}

// The caches of a Chromium "User Data" folder (or of an Opera edition folder, which
// is laid out alike and may keep a profile's caches at its own level too).
void addChromiumCaches(platform::FileSystem& files, const std::string& userData, bool cachesAtTop,
                       std::vector<std::string>& out) {
  for (const char* cache : kUserDataCaches) addPlainFolder(files, joined(userData, cache), out);
  if (cachesAtTop)
    for (const char* cache : kProfileCaches) addPlainFolder(files, joined(userData, cache), out);
  for (const std::string& name : subFolders(files, userData)) {
    if (!isChromiumProfile(files, userData, name)) continue;
    for (const char* cache : kProfileCaches)
      addPlainFolder(files, joined(joined(userData, name), cache), out);
  }
}

void addChromiumBrowsers(platform::FileSystem& files, const AppDataFolders& appData, BrowserCaches& found) {
  for (const ChromiumBrowser& browser : kChromiumBrowsers) {
    const std::string userData = joined(appData.local, browser.userData);
    if (!files.plainDirectoryExists(userData)) continue;
    if (lockHeld(files, joined(userData, "lockfile"))) {
      found.openBrowsers.emplace_back(browser.name);
      continue;
    }
    addChromiumCaches(files, userData, false, found.folders);
  }
}

// Opera keeps its settings in the roaming application data and its caches in the
// local one, one folder per edition ("Opera Stable", "Opera GX Stable") in each;
// the running browser holds the lock in either.
void addOpera(platform::FileSystem& files, const AppDataFolders& appData, BrowserCaches& found) {
  const std::string local = joined(appData.local, "Opera Software");
  if (!files.plainDirectoryExists(local)) return;
  std::vector<std::string> caches;
  bool open = false;
  for (const std::string& edition : subFolders(files, local)) {
    const std::string editionFolder = joined(local, edition);
    if (lockHeld(files, joined(editionFolder, "lockfile")) ||
        (!appData.roaming.empty() &&
         lockHeld(files, joined(joined(joined(appData.roaming, "Opera Software"), edition), "lockfile")))) {
      open = true;
      continue;
    }
    addChromiumCaches(files, editionFolder, true, caches);
  }
  if (open) found.openBrowsers.emplace_back("Opera");
  found.folders.insert(found.folders.end(), caches.begin(), caches.end());
}

// A profile's path as profiles.ini writes it, with "/" read as "\".
std::string windowsPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  while (path.ends_with('\\')) path.pop_back();
  return path;
}

void addFirefox(platform::FileSystem& files, const platform::TextFiles& textFiles,
                const AppDataFolders& appData, BrowserCaches& found) {
  if (appData.roaming.empty()) return;
  const std::string roaming = joined(appData.roaming, "Mozilla\\Firefox");
  const std::string local = appData.local.empty() ? std::string() : joined(appData.local, "Mozilla\\Firefox");
  const std::string iniPath = joined(roaming, "profiles.ini");
  if (!files.fileExists(iniPath)) return;
  const platform::ProfileSnapshot ini(textFiles, iniPath);
  std::vector<std::string> caches;
  bool open = false;
  for (int n = 0; n < kMaxFirefoxProfiles; ++n) {
    const std::string section = "Profile" + std::to_string(n);
    const std::string path = windowsPath(ini.readString(section, "Path", ""));
    if (path.empty()) break;
    // A path that climbs out of its folder names no profile of Firefox's.
    if (path.find("..") != std::string::npos) continue;
    const bool relative = ini.readString(section, "IsRelative", "1") == "1";
    // The profile folder holds the lock; its local folder, the caches. A relative
    // profile, or an absolute one below Firefox's roaming folder, has its local
    // folder at the same place below the local application data; any other
    // absolute profile keeps its caches in the profile folder itself.
    const std::string profile = relative ? joined(roaming, path) : path;
    std::string localProfile = profile;
    const std::string roamingPrefix = roaming + "\\";
    if (relative)
      localProfile = local.empty() ? std::string() : joined(local, path);
    else if (path.size() > roamingPrefix.size() &&
             files.equalIgnoringCase(path.substr(0, roamingPrefix.size()), roamingPrefix))
      localProfile = local.empty() ? std::string() : joined(local, path.substr(roamingPrefix.size()));
    if (lockHeld(files, joined(profile, "parent.lock"))) {
      open = true;
      continue;
    }
    if (localProfile.empty()) continue;
    for (const char* cache : kFirefoxCaches) addPlainFolder(files, joined(localProfile, cache), caches);
  }
  // A Firefox that runs one profile may run others: it is left alone as a whole.
  if (open) {
    found.openBrowsers.emplace_back("Firefox");
    return;
  }
  found.folders.insert(found.folders.end(), caches.begin(), caches.end());
}

}  // namespace

BrowserCaches findBrowserCaches(platform::FileSystem& files, const platform::TextFiles& textFiles,
                                const AppDataFolders& appData) {
  BrowserCaches found;
  if (!appData.local.empty()) {
    addChromiumBrowsers(files, appData, found);
    addOpera(files, appData, found);
  }
  addFirefox(files, textFiles, appData, found);
  return found;
}

}  // namespace velmora::junk
