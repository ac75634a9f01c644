#include "managers/restore_places.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "common/text_lines.h"
#include "managers/startup_approval.h"
#include "managers/startup_list.h"
#include "registry/problem_categories.h"

namespace velmora::managers {
namespace {

using platform::RegKey;
using registry::in32BitView;
using registry::kClassesHiveKey;
using registry::kClassesKey;
using registry::kClassHives;
using registry::kCurrentMuiCacheKey;
using registry::kHelpKey;
using registry::kInstallerFoldersKey;
using registry::kMuiCacheKey;
using registry::kSharedDllsKey;
using registry::kSoftwareKey;
using registry::kUninstallKey;

// How much of a place a page's backup may hold.
enum class Reach {
  values,      // The key itself, with the values the page deletes one by one.
  below,       // Whole keys below it, which the page deletes with their trees.
  emptyChild,  // Keys one level below that hold nothing, as the page finds them.
};

struct Place {
  RegKey root;
  std::string key;
  Reach reach;
  // For keys below: what the first level's name starts with (an extension's ".").
  std::string_view firstLevelStart = {};
};

// The levels of a path in lower case; nothing when a level is empty.
std::optional<std::vector<std::string>> levelsOf(std::string_view path) {
  std::vector<std::string> levels;
  while (path.ends_with('\\')) path.remove_suffix(1);
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end == start) return std::nullopt;
    levels.push_back(text::asciiLower(path.substr(start, end - start)));
    start = end + 1;
  }
  return levels;
}

// A place of the machine's software in both views.
void addMachineBothViews(std::vector<Place>& places, std::string_view key, Reach reach) {
  places.push_back({platform::HKEY_LOCAL_MACHINE, std::string(key), reach});
  places.push_back({platform::HKEY_LOCAL_MACHINE, in32BitView(key), reach});
}

std::vector<Place> registryPagePlaces() {
  std::vector<Place> places;
  addMachineBothViews(places, kSharedDllsKey, Reach::values);
  addMachineBothViews(places, kHelpKey, Reach::values);
  addMachineBothViews(places, kInstallerFoldersKey, Reach::values);
  addMachineBothViews(places, kUninstallKey, Reach::below);
  places.push_back({platform::HKEY_CURRENT_USER, std::string(kSoftwareKey), Reach::emptyChild});
  places.push_back({platform::HKEY_CURRENT_USER, std::string(kMuiCacheKey), Reach::values});
  places.push_back({platform::HKEY_CURRENT_USER, std::string(kCurrentMuiCacheKey), Reach::values});
  for (RegKey hive : kClassHives) {
    places.push_back({hive, std::string(kClassesHiveKey), Reach::below, "."});
    places.push_back({hive, std::string(kClassesHiveKey) + std::string(kClassesKey), Reach::below});
    places.push_back(
        {hive, std::string(kClassesHiveKey) + "WOW6432Node\\" + std::string(kClassesKey), Reach::below});
  }
  return places;
}

std::vector<Place> startupPagePlaces() {
  std::vector<Place> places;
  for (std::string_view run : {kRunKeyPath, kRunOnceKeyPath}) {
    addMachineBothViews(places, run, Reach::values);
    places.push_back({platform::HKEY_CURRENT_USER, std::string(run), Reach::values});
  }
  for (RegKey root : {platform::HKEY_LOCAL_MACHINE, platform::HKEY_CURRENT_USER})
    for (const char* approved : {"Run", "Run32", "StartupFolder"})
      places.push_back({root, std::string(kStartupApprovedPath) + approved, Reach::values});
  return places;
}

std::vector<Place> uninstallPagePlaces() {
  std::vector<Place> places;
  addMachineBothViews(places, kUninstallKey, Reach::below);
  places.push_back({platform::HKEY_CURRENT_USER, std::string(kUninstallKey), Reach::below});
  return places;
}

const std::vector<Place>& placesOf(std::string_view page) {
  static const std::vector<Place> registry = registryPagePlaces();
  static const std::vector<Place> startup = startupPagePlaces();
  static const std::vector<Place> uninstall = uninstallPagePlaces();
  static const std::vector<Place> none;
  if (page == "registry") return registry;
  if (page == "startup") return startup;
  if (page == "uninstall") return uninstall;
  return none;
}

bool holds(const Place& place, const std::vector<std::string>& section, bool hasValues) {
  const std::optional<std::vector<std::string>> key = levelsOf(place.key);
  if (!key || section.size() < key->size() || !std::equal(key->begin(), key->end(), section.begin()))
    return false;
  const std::size_t below = section.size() - key->size();
  switch (place.reach) {
    case Reach::values:
      return below == 0;
    case Reach::emptyChild:
      return below == 1 && !hasValues;
    case Reach::below:
      return below >= 1 && section[key->size()].starts_with(place.firstLevelStart);
  }
  return false;
}

}  // namespace

bool pageDeletesFrom(std::string_view page, RegKey root, std::string_view keyPath, bool hasValues) {
  const std::optional<std::vector<std::string>> section = levelsOf(keyPath);
  if (!section) return false;
  for (const Place& place : placesOf(page))
    if (place.root == root && holds(place, *section, hasValues)) return true;
  return false;
}

}  // namespace velmora::managers
