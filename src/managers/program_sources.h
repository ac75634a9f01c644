#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_store.h"
#include "platform/services.h"
#include "registry/reg_file_export.h"
#include "registry/registry_backup.h"
#include "registry/registry_object.h"

// Where the Startup and Uninstall pages read programs from, what a listed entry
// knows of where it came from, and how an entry is removed.
namespace velmora::managers {

// One place Windows reads programs from: a root key in one registry view.
struct ProgramSource {
  platform::RegKey root{};
  platform::RegSam view = 0;  // 0 for the program's own view, or KEY_WOW64_32KEY.
  friend bool operator==(const ProgramSource&, const ProgramSource&) = default;
};

// Every place Windows reads log-on and installed programs from, in the order the
// pages list them: HKEY_LOCAL_MACHINE as 64-bit programs see it; then as 32-bit
// programs see it, where most programs register on 64-bit Windows; then
// HKEY_CURRENT_USER, one key in both views, where programs installed for one user
// register.
inline constexpr std::array<ProgramSource, 3> kProgramSources = {
    ProgramSource{platform::HKEY_LOCAL_MACHINE, 0},
    ProgramSource{platform::HKEY_LOCAL_MACHINE, platform::KEY_WOW64_32KEY},
    ProgramSource{platform::HKEY_CURRENT_USER, 0}};

// Exactly what a listed row stands for: a value, or (with no value name) a whole
// key, at a path in its source's view.
struct EntryLocation {
  ProgramSource source;
  std::string keyPath;
  std::optional<std::string> valueName;
  friend bool operator==(const EntryLocation&, const EntryLocation&) = default;
};

// The key path as it lies in the registry, and as a row shows it: a path of the
// 32-bit view below HKEY_LOCAL_MACHINE\Software lies below Software\WOW6432Node.
std::string storedKeyPath(const ProgramSource& source, std::string_view keyPath);

// "HKLM" or "HKCU", the "Root Key" text of a source's root.
std::string_view rootTextOf(platform::RegKey root);

// A registry object at the source's root, in its view.
void openSource(registry::TRegistry& registry, const ProgramSource& source);

// A value of the open key as the pages show it: text and expandable text as
// stored (unexpanded, up to the first NUL); a missing value, or one of another
// type, as the empty text. It never throws, so one odd value never ends a listing.
std::string textOrEmpty(const registry::TRegistry& key, const std::string& name);

// Everything a listing does to its page, in the order it does it. Called on the
// listing's thread; the implementation hands the changes to the UI thread.
template <typename Entry>
class ListingView {
 public:
  virtual ~ListingView() = default;
  // Asked between two entries: false once the listing is to stop.
  virtual bool keepGoing() = 0;
  virtual void clearEntries() = 0;
  virtual void listEntry(Entry entry) = 0;
  // Every entry of one source has been listed.
  virtual void sourceDone() = 0;
};

// Which names of a key a listing walks.
enum class KeyNames { values, subkeys };

// Walks keyPath below every source in turn: opens it for reading (a key that does
// not open is passed over), reads all its value or subkey names before the first
// entry, and lists what entryOf(source, key, name) makes of each name (nothing:
// passed over); every source walked ends with sourceDone. False once the view
// says to stop.
template <typename Entry, typename EntryOf>
bool listEachSource(platform::RegistryStore& store, std::string_view keyPath, KeyNames walked,
                    ListingView<Entry>& view, EntryOf entryOf) {
  std::vector<std::string> names;
  for (const ProgramSource& source : kProgramSources) {
    if (!view.keepGoing()) return false;
    registry::TRegistry key(store);
    openSource(key, source);
    if (!key.OpenForRead(std::string(keyPath))) continue;
    if (walked == KeyNames::values)
      key.ListValues(names);
    else
      key.ListSubkeys(names);
    for (const std::string& name : names) {
      if (!view.keepGoing()) return false;
      std::optional<Entry> entry = entryOf(source, key, name);
      if (entry) view.listEntry(std::move(*entry));
    }
    view.sourceDone();
  }
  return true;
}

// What removing an entry did.
enum class RemovalOutcome {
  removed,
  // Nothing removed: the entry is gone, cannot be removed (a refused key), or
  // cannot be read whole into a backup.
  failed,
  // Nothing removed: the backup could not be written; backupPath names it.
  backupFailed,
};
struct EntryRemoval {
  RemovalOutcome outcome = RemovalOutcome::failed;
  std::string backupPath;
};

using BackupWriter = std::function<registry::BackupFile(const registry::RegFileExport&)>;

// Removes the entry, a value or a key with everything below it, in its source's
// view, after writing it into a backup that the registry editor restores; no
// backup, no removal. A value that belongs with the entry (alongside), when it is
// there, goes into the same backup and is removed after the entry. Runs on the UI
// thread.
EntryRemoval removeEntry(platform::RegistryStore& store, const EntryLocation& entry,
                         const BackupWriter& writeBackup, const EntryLocation* alongside = nullptr);

// Whether a value is there (of any type), read in its source's view.
bool valuePresent(platform::RegistryStore& store, const EntryLocation& value);
// Adds a value to a backup under the key path where the registry editor finds it.
bool exportValue(registry::RegFileExport& backup, const EntryLocation& value);
// Removes a value; false when it cannot be removed (gone, or refused).
bool removeValue(platform::RegistryStore& store, const EntryLocation& value);

}  // namespace velmora::managers
