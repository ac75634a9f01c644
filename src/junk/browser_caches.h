#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "junk/category_roots.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/text_files.h"

namespace velmora::junk {

// The caches of one browser (or of one Opera edition) that was closed when the
// scan looked, with what tells that it has started since.
struct BrowserCacheSet {
  std::string browser;              // Its name, as the window and the report show it.
  std::vector<std::string> caches;  // Plain folders, each walked whole.
  // The lock files the running browser holds, and the folders whose files are
  // the browser's: a file below one of them is left while a lock is held.
  std::vector<std::string> locks;
  std::vector<std::string> homes;
};

// The browsers a scan found: the closed ones with their caches, and the names of
// those passed over because they are running.
struct BrowserCaches {
  std::vector<BrowserCacheSet> closed;
  std::vector<std::string> openBrowsers;  // Names, in the order they were met.
};

// Finds the caches of the browsers a user has, below the application-data folders:
// - Chromium-family browsers (Google Chrome, Microsoft Edge, Brave, Vivaldi,
//   Chromium) in their "User Data" folder under the local application data: in
//   each profile folder ("Default", "Profile N", "Guest Profile", or any folder
//   with a "Preferences" file) "Cache", "Code Cache", "GPUCache" and "Media
//   Cache", and at the "User Data" level the shader caches "GrShaderCache",
//   "GraphiteDawnCache" and "ShaderCache". Opera keeps the same folders in
//   "Opera Software\<edition>".
// - Firefox: for each profile "profiles.ini" names, its "cache2" and
//   "startupCache".
// Nothing else of a browser is ever named: history, cookies, logins, site storage,
// service workers with their offline caches, extensions and settings stay.
//
// A running browser is left alone: Chromium holds "User Data\lockfile" open
// without sharing while it runs, Firefox holds "parent.lock" in the profile
// folder. Only a sharing (or lock) violation on the lock says it runs; a lock that
// cannot be judged for another reason (a drive without its medium, a locked
// volume, a path that is no full path) leaves that browser or profile out without
// a word, as nothing can be said of it.
//
// Firefox's profiles.ini is taken as found: a profile path that names no folder
// (empty, a drive root, a relative path where a full one is said, "." or ".." on
// the way) is passed over, as is one on a network (LocalDrivePaths), which is never
// opened; a profile listed twice is walked once.
BrowserCaches findBrowserCaches(platform::FileSystem& files, const platform::TextFiles& textFiles,
                                platform::Drives& drives, const AppDataFolders& appData);

// The browsers whose caches a scan listed, asked again just before their files
// are deleted: one started since then holds its lock, and every file below its
// folders is left where it is. A lock that cannot be judged now counts as held: a
// browser that was closed at the scan is not to lose its cache on a guess.
//
// Each browser's lock is read at most once between two calls of readLocksAgain,
// and a browser found open stays so for the object's life.
class OpenedBrowsers {
 public:
  OpenedBrowsers(platform::FileSystem& files, std::vector<BrowserCacheSet> listed);

  // The next question about each browser reads its lock afresh.
  void readLocksAgain();
  // The name of the browser whose folders hold path, when it has started since
  // the scan; nothing otherwise.
  const std::string* openedBrowserOf(std::string_view path);
  // The browsers found started, each once, in the order met.
  const std::vector<std::string>& names() const { return names_; }

 private:
  enum class State { unread, closed, opened };
  struct Browser {
    BrowserCacheSet set;
    State state = State::unread;
  };

  platform::FileSystem& files_;
  std::vector<Browser> browsers_;
  std::vector<std::string> names_;
};

}  // namespace velmora::junk
