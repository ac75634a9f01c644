#include "junk/browser_caches.h"

#include <algorithm>

#include "junk/local_paths.h"
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

// What a browser's lock file says. Free when it is missing or can be opened without
// sharing (a lock a crash left behind); held when another program holds it open,
// the one failure that says the browser runs (Windows reports a lock violation as
// a sharing one too); unknown for any other failure, which says nothing of it.
enum class Lock { free, held, unknown };

Lock lockState(platform::FileSystem& files, const std::string& lockPath) {
  const platform::FileSize lock = files.exclusiveFileSize(lockPath);
  if (lock || lock.error == platform::FileError::fileNotFound ||
      lock.error == platform::FileError::pathNotFound)
    return Lock::free;
  return lock.error == platform::FileError::sharingViolation ? Lock::held : Lock::unknown;
}

// The worst of what the locks of one browser say: held before unknown before free.
Lock lockStateOf(platform::FileSystem& files, const std::vector<std::string>& lockPaths) {
  Lock worst = Lock::free;
  for (const std::string& path : lockPaths) {
    const Lock lock = lockState(files, path);
    if (lock == Lock::held) return Lock::held;
    if (lock == Lock::unknown) worst = Lock::unknown;
  }
  return worst;
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
    BrowserCacheSet set{browser.name, {}, {joined(userData, "lockfile")}, {userData}};
    const Lock lock = lockStateOf(files, set.locks);
    if (lock == Lock::held) found.openBrowsers.emplace_back(browser.name);
    if (lock != Lock::free) continue;
    addChromiumCaches(files, userData, false, set.caches);
    found.closed.push_back(std::move(set));
  }
}

// Opera keeps its settings in the roaming application data and its caches in the
// local one, one folder per edition ("Opera Stable", "Opera GX Stable") in each;
// the running browser holds the lock in either.
void addOpera(platform::FileSystem& files, const AppDataFolders& appData, BrowserCaches& found) {
  const std::string local = joined(appData.local, "Opera Software");
  if (!files.plainDirectoryExists(local)) return;
  bool open = false;
  for (const std::string& edition : subFolders(files, local)) {
    BrowserCacheSet set{"Opera", {}, {}, {joined(local, edition)}};
    if (!appData.roaming.empty()) set.homes.push_back(joined(joined(appData.roaming, "Opera Software"), edition));
    for (const std::string& home : set.homes) set.locks.push_back(joined(home, "lockfile"));
    const Lock lock = lockStateOf(files, set.locks);
    if (lock == Lock::held) open = true;
    if (lock != Lock::free) continue;
    addChromiumCaches(files, set.homes.front(), true, set.caches);
    found.closed.push_back(std::move(set));
  }
  if (open) found.openBrowsers.emplace_back("Opera");
}

// A profile's path as profiles.ini writes it, with "/" read as "\".
std::string windowsPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  while (path.ends_with('\\')) path.pop_back();
  return path;
}

// Whether each part of a path from its first part on names a folder: none is
// empty, "." or "..", so the path climbs nowhere and names no place twice.
bool namesFoldersOnly(std::string_view parts) {
  while (true) {
    const std::size_t slash = parts.find('\\');
    const std::string_view part = parts.substr(0, slash);
    if (part.empty() || part == "." || part == "..") return false;
    if (slash == std::string_view::npos) return true;
    parts.remove_prefix(slash + 1);
  }
}

// Whether a profile path from profiles.ini names a folder Firefox can have made:
// a relative one below Firefox's folder (no drive, no leading "\"), a full one
// on a local drive and below its root.
bool namesProfileFolder(std::string_view path, bool relative, LocalDrivePaths& localPaths) {
  if (relative) return path.find(':') == std::string_view::npos && namesFoldersOnly(path);
  return localPaths.mayOpen(path) && path.size() > 3 && namesFoldersOnly(path.substr(3));
}

// One profile of profiles.ini: the folder that holds its lock, and its local
// folder, which holds its caches (empty when there is none).
struct FirefoxProfile {
  std::string folder;
  std::string local;
};

// Where a profile's folders are. A relative profile, or an absolute one below
// Firefox's roaming folder, has its local folder at the same place below the
// local application data; any other absolute profile keeps its caches in the
// profile folder itself.
FirefoxProfile firefoxProfile(platform::FileSystem& files, const std::string& roaming, const std::string& local,
                              const std::string& path, bool relative) {
  if (relative) return {joined(roaming, path), local.empty() ? std::string() : joined(local, path)};
  const std::string roamingPrefix = roaming + "\\";
  if (path.size() > roamingPrefix.size() &&
      files.equalIgnoringCase(path.substr(0, roamingPrefix.size()), roamingPrefix))
    return {path, local.empty() ? std::string() : joined(local, path.substr(roamingPrefix.size()))};
  return {path, path};
}

void addFirefox(platform::FileSystem& files, const platform::TextFiles& textFiles, platform::Drives& drives,
                const AppDataFolders& appData, BrowserCaches& found) {
  if (appData.roaming.empty()) return;
  const std::string roaming = joined(appData.roaming, "Mozilla\\Firefox");
  const std::string local = appData.local.empty() ? std::string() : joined(appData.local, "Mozilla\\Firefox");
  const std::string iniPath = joined(roaming, "profiles.ini");
  if (!files.fileExists(iniPath)) return;
  const platform::ProfileSnapshot ini(textFiles, iniPath);
  LocalDrivePaths localPaths(drives);
  BrowserCacheSet set{"Firefox", {}, {}, {}};
  std::vector<FirefoxProfile> seen;
  bool open = false;
  for (int n = 0; n < kMaxFirefoxProfiles; ++n) {
    const std::string section = "Profile" + std::to_string(n);
    const std::string path = windowsPath(ini.readString(section, "Path", ""));
    if (path.empty()) break;
    const bool relative = ini.readString(section, "IsRelative", "1") == "1";
    if (!namesProfileFolder(path, relative, localPaths)) continue;
    FirefoxProfile profile = firefoxProfile(files, roaming, local, path, relative);
    const bool listedBefore = std::any_of(seen.begin(), seen.end(), [&](const FirefoxProfile& earlier) {
      return files.equalIgnoringCase(earlier.folder, profile.folder);
    });
    if (listedBefore) continue;
    seen.push_back(profile);
    const std::string lockPath = joined(profile.folder, "parent.lock");
    const Lock lock = lockState(files, lockPath);
    if (lock == Lock::held) open = true;
    if (lock != Lock::free) continue;
    set.locks.push_back(lockPath);
    set.homes.push_back(profile.folder);
    if (profile.local.empty()) continue;
    if (profile.local != profile.folder) set.homes.push_back(profile.local);
    for (const char* cache : kFirefoxCaches) addPlainFolder(files, joined(profile.local, cache), set.caches);
  }
  // A Firefox that runs one profile may run others: it is left alone as a whole.
  if (open) {
    found.openBrowsers.emplace_back("Firefox");
    return;
  }
  if (!set.locks.empty()) found.closed.push_back(std::move(set));
}

}  // namespace

BrowserCaches findBrowserCaches(platform::FileSystem& files, const platform::TextFiles& textFiles,
                                platform::Drives& drives, const AppDataFolders& appData) {
  BrowserCaches found;
  if (!appData.local.empty()) {
    addChromiumBrowsers(files, appData, found);
    addOpera(files, appData, found);
  }
  addFirefox(files, textFiles, drives, appData, found);
  return found;
}

OpenedBrowsers::OpenedBrowsers(platform::FileSystem& files, std::vector<BrowserCacheSet> listed)
    : files_(files) {
  for (BrowserCacheSet& set : listed) {
    // A folder's files are those below it: the backslash makes "User Data2" no
    // part of "User Data".
    for (std::string& home : set.homes)
      if (!home.ends_with('\\')) home += '\\';
    browsers_.push_back({std::move(set)});
  }
}

void OpenedBrowsers::readLocksAgain() {
  for (Browser& browser : browsers_)
    if (browser.state == State::closed) browser.state = State::unread;
}

const std::string* OpenedBrowsers::openedBrowserOf(std::string_view path) {
  for (Browser& browser : browsers_) {
    const bool below = std::any_of(browser.set.homes.begin(), browser.set.homes.end(), [&](const std::string& home) {
      return path.size() > home.size() && path[home.size() - 1] == '\\' &&
             files_.equalIgnoringCase(path.substr(0, home.size()), home);
    });
    if (!below) continue;
    if (browser.state == State::unread) {
      browser.state = lockStateOf(files_, browser.set.locks) == Lock::free ? State::closed : State::opened;
      if (browser.state == State::opened &&
          std::find(names_.begin(), names_.end(), browser.set.browser) == names_.end())
        names_.push_back(browser.set.browser);
    }
    if (browser.state == State::opened) return &browser.set.browser;
  }
  return nullptr;
}

}  // namespace velmora::junk
