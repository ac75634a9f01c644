#include "registry/problem_scan.h"

#include <algorithm>
#include <optional>

#include "registry/cleaned_path.h"

namespace velmora::registry {
namespace {

using platform::HKEY_CURRENT_USER;
using platform::HKEY_LOCAL_MACHINE;

char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The order of names without regard to letter case; the rows of the two classes
// categories come in this order.
void sortWithoutCase(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return folded(x) < folded(y); });
  });
}

bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// The text of a value, or nothing when it holds another type than text and so
// cannot be read as one.
std::optional<std::string> readText(const TRegistry& registry, const std::string& name) {
  try {
    return registry.ReadText(name);
  } catch (const ERegistryException&) {
    return std::nullopt;
  }
}

// The cache key of current Windows stores two values per program, its path
// followed by one of these.
constexpr std::string_view kCacheNameSuffixes[] = {".FriendlyAppName", ".ApplicationCompany"};

std::string_view withoutCacheSuffix(std::string_view name) {
  for (std::string_view suffix : kCacheNameSuffixes)
    if (name.ends_with(suffix)) return name.substr(0, name.size() - suffix.size());
  return name;
}

}  // namespace

ProblemScan::ProblemScan(platform::RegistryStore& store, platform::FileSystem& files,
                         platform::Drives& drives)
    : store_(store), presence_(files, drives) {}

bool ProblemScan::next() {
  if (!stopped_ && !view_->keepGoing()) stopped_ = true;
  return !stopped_;
}

void ProblemScan::list(ProblemCategory category, std::string entry, std::string_view rootText,
                       std::string registryKey, std::optional<std::string> valueName) {
  view_->listProblem(
      {category, std::move(entry), std::string(rootText), std::move(registryKey), std::move(valueName)});
}

void ProblemScan::run(ProblemScanView& view) {
  view_ = &view;
  stopped_ = false;
  view.clearResults();
  using Check = void (ProblemScan::*)(TRegistry&, const std::string& key);
  struct Step {
    ProblemCategory category;
    platform::RegKey root;
    Check check;
    std::string_view key;
    // Whether the check also examines the key as 32-bit programs see it.
    bool bothViews;
  };
  static constexpr Step kSteps[kProblemCategoryCount] = {
      {ProblemCategory::missingSharedDll, HKEY_LOCAL_MACHINE, &ProblemScan::sharedDlls, kSharedDllsKey, true},
      {ProblemCategory::unusedExtension, HKEY_CURRENT_USER, &ProblemScan::fileExtensions, kClassesHiveKey,
       false},
      {ProblemCategory::classServer, HKEY_CURRENT_USER, &ProblemScan::classServers, kClassesKey, false},
      {ProblemCategory::helpFile, HKEY_LOCAL_MACHINE, &ProblemScan::helpFiles, kHelpKey, true},
      {ProblemCategory::installerFolder, HKEY_LOCAL_MACHINE, &ProblemScan::installerFolders,
       kInstallerFoldersKey, true},
      {ProblemCategory::uninstallEntry, HKEY_LOCAL_MACHINE, &ProblemScan::uninstallEntries, kUninstallKey,
       true},
      {ProblemCategory::emptySoftwareKey, HKEY_CURRENT_USER, &ProblemScan::emptySoftwareKeys, kSoftwareKey,
       false},
      {ProblemCategory::muiCache, HKEY_CURRENT_USER, &ProblemScan::muiCache, kMuiCacheKey, false},
  };
  for (const Step& step : kSteps) {
    if (!next()) return;
    if (!view.categoryChecked(step.category)) continue;
    {
      TRegistry registry(store_);
      registry.SetRoot(step.root);
      std::vector<std::string> keys{std::string(step.key)};
      if (step.bothViews) keys.push_back(in32BitView(step.key));
      for (const std::string& key : keys) {
        if (stopped_) break;
        names_.clear();
        (this->*step.check)(registry, key);
      }
    }
    if (stopped_) return;
    view.categoryDone(step.category);
  }
}

void ProblemScan::sharedDlls(TRegistry& registry, const std::string& key) {
  if (!registry.Open(key, false)) return;
  registry.ListValues(names_);
  registry.Close();
  for (const std::string& name : names_) {
    if (!next()) return;
    if (presence_.file(name) == Presence::missing)
      list(ProblemCategory::missingSharedDll, name, kLocalMachineText, key, name);
  }
}

void ProblemScan::fileExtensions(TRegistry& registry, const std::string& classes) {
  for (platform::RegKey hive : kClassHives) {
    if (stopped_) return;
    registry.SetRoot(hive);
    extensionsOf(registry, textOfHive(hive), classes);
  }
}

void ProblemScan::extensionsOf(TRegistry& registry, std::string_view hiveText, const std::string& classes) {
  names_.clear();
  if (!registry.Open(classes, false)) return;
  registry.ListSubkeys(names_);
  registry.Close();
  sortWithoutCase(names_);
  for (const std::string& name : names_) {
    if (!next()) return;
    const std::string key = classes + name;
    if (!name.starts_with('.') || !registry.Open(key, false)) continue;
    // Many extensions in use have no default value and are known by what else
    // their key holds (OpenWithProgids, ShellNew, "Content Type", ...): only a key
    // that holds nothing at all besides an empty default value is unused.
    std::uint32_t subkeys = 0;
    std::uint32_t values = 0;
    const std::optional<std::string> type = readText(registry, "");
    const bool unused = type && type->empty() && registry.KeyCounts(subkeys, values) && subkeys == 0 &&
                        (values == 0 || (values == 1 && registry.HasValue("")));
    registry.Close();
    if (unused) list(ProblemCategory::unusedExtension, name, hiveText, key);
  }
}

void ProblemScan::classServers(TRegistry& registry, const std::string& key) {
  // The classes of 32-bit programs are kept apart, below WOW6432Node, in both hives.
  const std::string views[] = {std::string(kClassesHiveKey) + key,
                               std::string(kClassesHiveKey) + "WOW6432Node\\" + key};
  for (platform::RegKey hive : kClassHives) {
    registry.SetRoot(hive);
    for (const std::string& classes : views) {
      if (stopped_) return;
      serversOf(registry, textOfHive(hive), classes);
    }
  }
}

void ProblemScan::serversOf(TRegistry& registry, std::string_view hiveText, const std::string& classesKey) {
  names_.clear();
  if (!registry.Open(classesKey, false)) return;
  registry.ListSubkeys(names_);
  registry.Close();
  sortWithoutCase(names_);
  for (const std::string& name : names_) {
    if (!next()) return;
    const std::string classKey = classesKey + name;
    if (!registry.Open(classKey, false)) continue;
    registry.ListSubkeys(innerNames_);
    registry.Close();
    for (const std::string& server : innerNames_) {
      if (server != "InprocServer32" && server != "LocalServer32") continue;
      if (!registry.Open(classKey + "\\" + server, false)) continue;
      // Each server is judged by its own path: one whose command is not plain text
      // (an expandable one, say) is never a problem.
      std::optional<std::string> command;
      if (registry.ValueKind("") == RegValueKind::Text) command = readText(registry, "");
      registry.Close();
      if (command && serverIsMissing(*command))
        list(ProblemCategory::classServer, server + " - " + cleanedServerPath(*command), hiveText, classKey);
    }
  }
}

bool ProblemScan::serverIsMissing(std::string_view command) {
  // The path as stored is tried before the cut: "C:\Program Files\Acme - Tools\x.dll"
  // names an installed server, which the cut at " -" would take for the missing
  // "C:\Program Files\Acme -". Only when the stored text names no file either (a
  // command with arguments, or a server that is gone) does the cut path decide.
  const std::string stored = withoutSurroundingBlanks(withoutQuotes(command));
  if (presence_.file(stored) != Presence::missing) return false;
  const std::string path = cleanedServerPath(command);
  return contains(path, ":") && presence_.file(path) == Presence::missing;
}

void ProblemScan::helpFiles(TRegistry& registry, const std::string& key) {
  if (!registry.Open(key, false)) return;
  registry.ListValues(names_);
  for (const std::string& name : names_) {
    if (!next()) break;
    const std::optional<std::string> folder = readText(registry, name);
    if (!folder) continue;
    std::string path = *folder + "\\" + name;
    if (presence_.file(path) == Presence::missing)
      list(ProblemCategory::helpFile, std::move(path), kLocalMachineText, key, name);
  }
  registry.Close();
}

void ProblemScan::installerFolders(TRegistry& registry, const std::string& key) {
  if (!registry.Open(key, false)) return;
  registry.ListValues(names_);
  for (const std::string& name : names_) {
    if (!next()) break;
    if (presence_.directory(name) == Presence::missing)
      list(ProblemCategory::installerFolder, name, kLocalMachineText, key, name);
  }
  registry.Close();
}

void ProblemScan::uninstallEntries(TRegistry& registry, const std::string& key) {
  if (registry.Open(key, false)) registry.ListSubkeys(names_);
  registry.Close();
  for (const std::string& name : names_) {
    if (!next()) return;
    if (!registry.Open(key + name, false)) continue;
    std::optional<std::string> command;
    if (registry.HasValue("UninstallString")) command = readText(registry, "UninstallString");
    registry.Close();
    if (!command) continue;
    // Only a plain drive path to a program is judged: a command with arguments, a
    // bare program name or a network path never is.
    const std::string path = withoutQuotes(*command);
    if (path.rfind(':') == 1 && !contains(path, " /") && !contains(path, " -") &&
        presence_.file(path) == Presence::missing)
      list(ProblemCategory::uninstallEntry, name, kLocalMachineText, key);
  }
}

void ProblemScan::emptySoftwareKeys(TRegistry& registry, const std::string& key) {
  if (registry.Open(key, false)) registry.ListSubkeys(names_);
  registry.Close();
  for (const std::string& name : names_) {
    if (!next()) return;
    if (!registry.Open(key + name, false)) continue;
    registry.ListValues(innerNames_);
    std::uint32_t subkeys = 0;
    std::uint32_t values = 0;
    const bool empty = registry.KeyCounts(subkeys, values) && subkeys == 0 && innerNames_.empty();
    registry.Close();
    if (empty) list(ProblemCategory::emptySoftwareKey, name, kCurrentUserText, key);
  }
}

void ProblemScan::muiCache(TRegistry& registry, const std::string& key) {
  muiCacheKey(registry, key, false);
  names_.clear();
  if (!stopped_) muiCacheKey(registry, kCurrentMuiCacheKey, true);
}

void ProblemScan::muiCacheKey(TRegistry& registry, std::string_view key, bool namesCarrySuffix) {
  if (!registry.Open(std::string(key), false)) return;
  registry.ListValues(names_);
  registry.Close();
  for (const std::string& name : names_) {
    if (!next()) return;
    const std::string path = cleanedCachePath(namesCarrySuffix ? withoutCacheSuffix(name) : name);
    if (contains(path, ":") && !contains(path, "@") && presence_.file(path) == Presence::missing)
      list(ProblemCategory::muiCache, name, kCurrentUserText, std::string(key), name);
  }
}

}  // namespace velmora::registry
