#pragma once

#include <string>
#include <string_view>

#include "managers/program_sources.h"
#include "platform/registry_store.h"
#include "platform/shell.h"

// The Startup page's list: the programs Windows starts at log-on from the Run keys.
namespace velmora::managers {

// The Run key, the same path below every source, with its trailing backslash.
inline constexpr std::string_view kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";

// One Run value as its row shows it, with where it came from.
struct StartupEntry {
  std::string name;         // "Programs": the value's name.
  std::string file;         // "File"
  std::string rootText;     // "Root Key": "HKLM" or "HKCU".
  std::string registryKey;  // "Registry Key": the Run key as it lies in the registry.
  int imageIndex = 0;
  EntryLocation location;
};

// The program path cut out of a Run value's data: every double quote removed;
// then, if the path holds " /", cut before its last blank or slash; then, if it
// holds " -", before its last blank or hyphen; then, if it holds a comma, before
// its last comma. Blanks left at either end stay.
std::string startupWorkingPath(std::string_view data);

// BuildStartupList: empties the list, then lists every value of the Run key of
// each source in turn (a key that does not open is passed over), each source's
// names read whole before its first entry is listed. A row of HKEY_LOCAL_MACHINE
// shows the data as stored, a row of HKEY_CURRENT_USER the cut path; the icon is
// the shell's for the cut path (0 when it has none). Keys are read with KEY_READ,
// so that a user who may not change the machine's keys still sees them.
void buildStartupList(platform::RegistryStore& store, platform::Shell& shell,
                      ListingView<StartupEntry>& view);

}  // namespace velmora::managers
