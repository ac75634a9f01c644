#pragma once

#include <string>
#include <string_view>

#include "managers/program_sources.h"
#include "platform/registry_store.h"
#include "platform/services.h"
#include "registry/problem_categories.h"

// The Uninstall page's list: the installed programs registered below the
// Uninstall key of every source.
namespace velmora::managers {

// The Uninstall key, the same path below every source, with its trailing backslash.
inline constexpr std::string_view kUninstallKeyPath = registry::kUninstallKey;

// One installed program as its row shows it, with the key it came from.
struct UninstallEntry {
  std::string displayName;      // "Programs"
  std::string publisher;        // "Publisher"
  std::string displayVersion;   // "Version"
  std::string installLocation;  // "Location"
  int imageIndex = 0;
  EntryLocation location;  // The program's own key.

  bool sameEntry(const UninstallEntry& other) const { return location == other.location; }
};

// BuildUninstallList: empties the list, then lists each subkey of the Uninstall
// key of each source in turn that holds both a "DisplayName" and an
// "UninstallString" value (of any type); a key that does not open is passed over.
// The icon is the shell's for the uninstall command without its quotes (0 when it
// has none). Keys are read with KEY_READ, so that a user who may not change the
// machine's keys still sees them.
void buildUninstallList(platform::Services& services, ListingView<UninstallEntry>& view);

// The uninstall command of a listed program, as ListViewUninstallSelectItem reads
// it from exactly the program's own key.
struct UninstallCommand {
  enum class Status { found, keyNotOpened, noCommand };
  Status status = Status::keyNotOpened;
  std::string text;  // "UninstallString" exactly as stored; empty when not text.
  // Stored as REG_EXPAND_SZ: its %NAME% references are expanded before it starts.
  bool expandable = false;
};
UninstallCommand readUninstallCommand(platform::RegistryStore& store, const EntryLocation& program);

}  // namespace velmora::managers
