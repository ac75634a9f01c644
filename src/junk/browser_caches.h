#pragma once

#include <string>
#include <vector>

#include "junk/category_roots.h"
#include "platform/file_system.h"
#include "platform/text_files.h"

namespace velmora::junk {

// The cache folders of the user's browsers, and the browsers passed over because
// they are running.
struct BrowserCaches {
  std::vector<std::string> folders;       // Plain folders, each walked whole.
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
// folder. Any failure to open the lock other than its absence counts as held, so
// a lock that cannot be judged leaves the browser alone too.
BrowserCaches findBrowserCaches(platform::FileSystem& files, const platform::TextFiles& textFiles,
                                const AppDataFolders& appData);

}  // namespace velmora::junk
