#include "managers/program_sources.h"

#include "platform/registry_view.h"
#include "registry/problem_categories.h"

namespace velmora::managers {

using registry::RegValueKind;

std::string storedKeyPath(const ProgramSource& source, std::string_view keyPath) {
  return platform::pathInView(source.root, keyPath, source.view);
}

std::string_view rootTextOf(platform::RegKey root) {
  return root == platform::HKEY_LOCAL_MACHINE ? registry::kLocalMachineText : registry::kCurrentUserText;
}

void openSource(registry::TRegistry& registry, const ProgramSource& source) {
  registry.SetRoot(source.root);
  registry.SetView(source.view);
}

std::string textOrEmpty(const registry::TRegistry& key, const std::string& name) {
  const RegValueKind kind = key.ValueKind(name);
  if (kind != RegValueKind::Text && kind != RegValueKind::ExpandText) return {};
  try {
    return key.ReadText(name);
  } catch (const registry::ERegistryException&) {
    // Changed to another type between the two reads.
    return {};
  }
}

namespace {

// A name that names nothing: a removal with it would address the key above.
bool namesNothing(std::string_view path) {
  const std::size_t last = path.find_last_not_of('\\');
  if (last == std::string_view::npos) return true;
  const std::size_t start = path.find_last_of('\\', last);
  const std::string_view name = path.substr(start == std::string_view::npos ? 0 : start + 1);
  return name.find_first_not_of(' ') == std::string_view::npos;
}

// Whether the entry is there and this user may remove it: its key opens with full
// access (and holds the value).
bool removable(registry::TRegistry& registry, const EntryLocation& entry) {
  if (!registry.Open(entry.keyPath, false)) return false;
  const bool present = !entry.valueName || registry.HasValue(*entry.valueName);
  registry.Close();
  return present;
}

}  // namespace

bool valuePresent(platform::RegistryStore& store, const EntryLocation& value) {
  registry::TRegistry registry(store);
  openSource(registry, value.source);
  return value.valueName && registry.OpenForRead(value.keyPath) && registry.HasValue(*value.valueName);
}

bool exportValue(registry::RegFileExport& backup, const EntryLocation& value) {
  return value.valueName &&
         backup.addValue(value.source.root, storedKeyPath(value.source, value.keyPath), *value.valueName);
}

bool removeValue(platform::RegistryStore& store, const EntryLocation& value) {
  registry::TRegistry registry(store);
  openSource(registry, value.source);
  return value.valueName && registry.Open(value.keyPath, false) && registry.RemoveValue(*value.valueName);
}

EntryRemoval removeEntry(platform::RegistryStore& store, const EntryLocation& entry,
                         const BackupWriter& writeBackup, const EntryLocation* alongside) {
  registry::TRegistry registry(store);
  openSource(registry, entry.source);
  if (!entry.valueName && namesNothing(entry.keyPath)) return {};
  if (!removable(registry, entry)) return {};
  if (alongside && !valuePresent(store, *alongside)) alongside = nullptr;

  // The backup names the key where the registry editor, a 64-bit program, finds it.
  registry::RegFileExport backup(store);
  const bool exported =
      entry.valueName ? exportValue(backup, entry)
                      : backup.addKeyTree(entry.source.root, storedKeyPath(entry.source, entry.keyPath));
  if (!exported || (alongside && !exportValue(backup, *alongside))) return {};
  const registry::BackupFile file = writeBackup(backup);
  if (!file.written) return {RemovalOutcome::backupFailed, file.path};

  const bool removed = entry.valueName ? removeValue(store, entry) : registry.RemoveKeyTree(entry.keyPath);
  // What belongs with a removed entry goes too; it means nothing without it.
  if (removed && alongside) removeValue(store, *alongside);
  return {removed ? RemovalOutcome::removed : RemovalOutcome::failed, file.path};
}

}  // namespace velmora::managers
