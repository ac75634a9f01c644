#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "managers/program_sources.h"
#include "managers/startup_approval.h"
#include "platform/services.h"

// The Startup page's list: what Windows starts at log-on from the Run and RunOnce
// keys and from the two Startup folders.
namespace velmora::managers {

// The Run and RunOnce keys, the same paths below every source, with their
// trailing backslashes.
inline constexpr std::string_view kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";
inline constexpr std::string_view kRunOnceKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\";

// Where an entry lives, which decides how it is switched off and deleted.
enum class StartupKind {
  runValue,      // A value of a Run key: switched by its StartupApproved value.
  runOnceValue,  // A value of a RunOnce key: Windows has no off switch for it.
  startupFile,   // A file in a Startup folder: switched by its StartupApproved value.
};

// One log-on entry as its row shows it, with where it came from.
struct StartupEntry {
  std::string name;         // "Programs": the value's or the file's name.
  std::string file;         // "File": the command, or the shortcut's target and arguments.
  std::string rootText;     // "Root Key": "HKLM" or "HKCU"; empty for a Startup folder.
  std::string registryKey;  // "Registry Key": the key as it lies in the registry, or the folder.
  int imageIndex = 0;
  StartupKind kind = StartupKind::runValue;
  StartupState state = StartupState::enabled;
  // The value or (with keyPath the file's full path and no value name) the file.
  EntryLocation location;
  // Where its state is kept; nothing for a RunOnce value.
  std::optional<EntryLocation> approval;

  bool sameEntry(const StartupEntry& other) const { return kind == other.kind && location == other.location; }
};

// The program path cut out of a Run value's data: every double quote removed;
// then, if the path holds " /", cut before its last blank or slash; then, if it
// holds " -", before its last blank or hyphen; then, if it holds a comma, before
// its last comma. Blanks left at either end stay.
std::string startupWorkingPath(std::string_view data);

// BuildStartupList: empties the list, then lists the values of the Run keys of
// every source, then those of the RunOnce keys, then the files of the user's and
// all users' Startup folders (not "desktop.ini", which only dresses the folder).
// A key or folder that does not open is passed over; each one's names are read
// whole before its first entry is listed. A row of HKEY_LOCAL_MACHINE shows the
// data as stored, a row of HKEY_CURRENT_USER the cut path; a shortcut shows its
// target and arguments, another file its own path. Each entry's state is the one
// Windows reads. Keys are read with KEY_READ, so that a user who may not change
// the machine's keys still sees them.
void buildStartupList(platform::Services& services, ListingView<StartupEntry>& view);

}  // namespace velmora::managers
