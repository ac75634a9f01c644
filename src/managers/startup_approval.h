#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "managers/program_sources.h"
#include "platform/registry_store.h"

// Whether Windows starts a log-on entry, as its Task Manager and Settings switch it:
// a value named for the entry below Explorer\StartupApproved, never a move of the
// entry itself.
namespace velmora::managers {

inline constexpr std::string_view kStartupApprovedPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";

enum class StartupState { enabled, disabled };

// Where Windows keeps the state of a Run value of a source: "Run" for the 64-bit
// keys, "Run32" for the 32-bit view, below the source's own root.
EntryLocation runValueApproval(const ProgramSource& source, const std::string& valueName);
// Where it keeps the state of a file in a Startup folder: "StartupFolder" below
// HKEY_CURRENT_USER for the user's folder and HKEY_LOCAL_MACHINE for all users'.
EntryLocation startupFileApproval(platform::RegKey root, const std::string& fileName);

// The state Windows reads from the approval value: disabled when it is REG_BINARY
// of at least 12 bytes whose first byte has its lowest bit set; a missing, shorter
// or otherwise typed value leaves the entry enabled.
StartupState readStartupState(platform::RegistryStore& store, const EntryLocation& approval);

// The 12 bytes Windows writes: 03 00 00 00 and the time of disabling as a FILETIME
// (UTC, little-endian) to disable; 02 00 00 00 and eight zero bytes to enable.
std::string approvalBytes(StartupState state, std::uint64_t fileTimeNow);

// Writes the approval value, creating its key when missing. False when the key
// cannot be created or written (a machine entry without the rights to HKLM).
bool writeStartupState(platform::RegistryStore& store, const EntryLocation& approval, StartupState state,
                       std::uint64_t fileTimeNow);

// The time now as a FILETIME: 100-nanosecond intervals since 1601-01-01 UTC.
std::uint64_t currentFileTime();

}  // namespace velmora::managers
