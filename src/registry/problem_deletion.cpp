#include "registry/problem_deletion.h"

#include <chrono>
#include <set>
#include <tuple>
#include <vector>

#include "common/text_lines.h"
#include "registry/problem_categories.h"
#include "registry/registry_object.h"

namespace velmora::registry {
namespace {

// A name that names nothing: empty, or only blanks and backslashes.
bool namesNothing(std::string_view name) { return name.find_first_not_of(" \\") == std::string_view::npos; }

// The levels of a key path as the registry reads it: empty levels ("a\\b", a
// trailing backslash) are passed over, and letter case does not count.
std::vector<std::string> levelsOf(std::string_view path) {
  std::vector<std::string> levels;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) levels.push_back(text::asciiLower(path.substr(start, end - start)));
    start = end + 1;
  }
  return levels;
}

// A key tree that a row may delete: a key below a category's own key, never that
// key itself nor a root.
bool mayDeleteTree(std::string_view path) {
  const std::vector<std::string> levels = levelsOf(path);
  if (levels.empty() || namesNothing(levels.back())) return false;
  for (std::string_view own : {kClassesKey, kClassesHiveKey, kUninstallKey, kSoftwareKey, kSharedDllsKey,
                               kHelpKey, kInstallerFoldersKey, kMuiCacheKey, kCurrentMuiCacheKey})
    if (levels == levelsOf(own)) return false;
  return true;
}

// A key of the class checks: an extension key or a class key, at its place in the
// current user's or the machine's classes.
bool isClassKey(std::string_view path) {
  std::vector<std::string> levels = levelsOf(path);
  if (levels.size() < 3 || levels[0] != "software" || levels[1] != "classes") return false;
  levels.erase(levels.begin(), levels.begin() + 2);
  if (levels.size() == 1) return levels[0].starts_with('.');
  if (levels.front() == "wow6432node") levels.erase(levels.begin());
  return levels.size() == 2 && levels[0] == "clsid";
}

// Whether a row's key text is a category's key, as 64-bit or as 32-bit programs
// see it.
bool isKey(std::string_view registryKey, std::string_view key) {
  return registryKey == key || registryKey == in32BitView(key);
}

std::optional<DeletionTarget> valueTarget(platform::RegKey root, std::string_view key,
                                          const std::optional<std::string>& name) {
  if (!name || namesNothing(*name)) return std::nullopt;
  return DeletionTarget{root, std::string(key), *name};
}

std::optional<DeletionTarget> treeTarget(platform::RegKey root, std::string path) {
  if (!mayDeleteTree(path)) return std::nullopt;
  return DeletionTarget{root, std::move(path), std::nullopt};
}

bool exportTarget(RegFileExport& backup, const DeletionTarget& target) {
  return target.valueName ? backup.addValue(target.root, target.keyPath, *target.valueName)
                          : backup.addKeyTree(target.root, target.keyPath);
}

bool deleteTarget(TRegistry& registry, const DeletionTarget& target) {
  registry.Close();
  registry.SetRoot(target.root);
  if (!target.valueName) return registry.RemoveKeyTree(target.keyPath);
  const bool removed = registry.Open(target.keyPath, false) && registry.RemoveValue(*target.valueName);
  registry.Close();
  return removed;
}

}  // namespace

std::optional<DeletionTarget> deletionTargetOf(const ProblemRow& row) {
  const std::string_view registryKey = row.registryKey;
  const std::optional<platform::RegKey> root = rootOfText(row.rootText);
  if (!root) return std::nullopt;
  // A value row deletes the value its name was read as, never one parsed back from
  // the shown entry: a help file's entry is a path, and a value named "old\a.hlp"
  // would otherwise delete "a.hlp" beside it.
  if (isKey(registryKey, kSharedDllsKey) || isKey(registryKey, kHelpKey) ||
      isKey(registryKey, kInstallerFoldersKey) || registryKey == kMuiCacheKey ||
      registryKey == kCurrentMuiCacheKey)
    return valueTarget(*root, registryKey, row.valueName);
  if (isKey(registryKey, kUninstallKey) || registryKey == kSoftwareKey)
    return treeTarget(*root, row.registryKey + row.entry);
  if (*root != platform::HKEY_CLASSES_ROOT && isClassKey(registryKey))
    return treeTarget(*root, row.registryKey);
  return std::nullopt;
}

std::vector<PlannedDeletion> plannedDeletions(const widgets::ListView& results,
                                              std::span<const ProblemRow> problems) {
  std::vector<PlannedDeletion> planned;
  for (int row = results.count() - 1; row >= 0; --row) {
    if (!results.checked(row)) continue;
    const std::uint32_t problem = results.rowData(row);
    if (problem >= problems.size()) continue;
    if (std::optional<DeletionTarget> target = deletionTargetOf(problems[problem]))
      planned.push_back({row, std::move(*target)});
  }
  return planned;
}

ProblemDeletionRun deleteProblems(platform::RegistryStore& store, std::span<const PlannedDeletion> planned,
                                  const std::function<BackupFile(const RegFileExport&)>& writeBackup,
                                  const DeletionProgress& progress, const std::function<bool()>& stopRequested) {
  using Clock = std::chrono::steady_clock;
  auto lastShown = Clock::now();
  const auto show = [&](int read, int deleted, int total) {
    if (!progress || Clock::now() - lastShown < std::chrono::milliseconds(50)) return;
    progress(read, deleted, total);
    lastShown = Clock::now();
  };
  const auto stopped = [&] { return stopRequested && stopRequested(); };
  ProblemDeletionRun run;
  std::vector<const PlannedDeletion*> backedUp;
  std::set<std::tuple<std::uint64_t, std::string, std::optional<std::string>>> exported;
  RegFileExport backup(store);
  for (const PlannedDeletion& item : planned) {
    if (stopped()) return run;
    // Only what the backup holds is deleted. Two rows of one class key share it.
    const DeletionTarget& target = item.target;
    auto key = std::tuple(static_cast<std::uint64_t>(target.root), target.keyPath, target.valueName);
    if (!exported.contains(key)) {
      if (!exportTarget(backup, target)) continue;
      exported.insert(std::move(key));
    }
    backedUp.push_back(&item);
    show(static_cast<int>(backedUp.size()), 0, static_cast<int>(planned.size()));
  }
  if (backedUp.empty()) return run;
  const BackupFile file = writeBackup(backup);
  run.result.backupPath = file.path;
  if (!file.written) {
    run.result.backupFailed = true;
    return run;
  }
  // One registry object serves the whole run. The rows are handled from the last
  // to the first, so removing one never moves one still to be handled.
  TRegistry registry(store);
  for (const PlannedDeletion* item : backedUp) {
    if (stopped()) break;
    if (deleteTarget(registry, item->target)) run.goneRows.push_back(item->row);
    const int total = static_cast<int>(backedUp.size());
    show(total, static_cast<int>(run.goneRows.size()), total);
  }
  run.result.deletedCount = static_cast<int>(run.goneRows.size());
  return run;
}

ProblemDeletion deleteCheckedProblems(platform::RegistryStore& store, widgets::ListView& results,
                                      std::span<const ProblemRow> problems,
                                      const std::function<BackupFile(const RegFileExport&)>& writeBackup,
                                      const DeletionProgress& progress) {
  ProblemDeletionRun run = deleteProblems(store, plannedDeletions(results, problems), writeBackup, progress);
  results.removeRows(std::move(run.goneRows));
  return run.result;
}

}  // namespace velmora::registry
