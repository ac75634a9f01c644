#pragma once

#include <array>
#include <ctime>
#include <string>
#include <string_view>

#include "platform/data_folders.h"
#include "platform/file_system.h"
#include "registry/reg_file_export.h"

namespace velmora::registry {

// Where a registry backup went, or was to go.
using BackupFile = platform::WrittenFile;

// The local time now, which a backup made now is named for. UI thread only: the
// C library keeps its answer in one place for every thread.
std::tm currentLocalTime();

// "registry-20240131-235959.reg" for the kind "registry" and that local time. Each
// page names its backups by its own kind: "registry", "startup", "uninstall".
std::string backupFileName(std::string_view kind, const std::tm& localTime);

// The first comment line of a page's registry backup ("Velmora Disk Cleaner
// backup, page: uninstall"), which names the page whose places it restores into.
std::string backupComment(std::string_view page);
// The page such a comment names: "registry", "startup" or "uninstall"; empty
// for any other comment.
std::string pageOfComment(std::string_view comment);

// The parts a Startup-folder file's backup is written in, as "<base>.dat",
// "<base>.ini" and at times "<base>.reg", its base named as a "startup" backup.
inline constexpr std::array<std::string_view, 3> kStartupFileBackupParts{".dat", ".ini", ".reg"};

// Writes content as a new backup file named for kind and localTime, its first
// comment naming page (kind when empty), into the
// program's "data\backups\" folder or, when that cannot be made or written, the
// user's own backups folder (writeNewDataFile); an earlier backup is never
// replaced, so a second one within the same second is named "...-2.reg", and so
// on; nor is a name a Startup-folder file's backup uses, whatever its part. Not written: path names the file
// that could not be written beside the program.
BackupFile writeRegistryBackup(platform::Services& services, const std::string& programFolder,
                               std::string_view kind, const std::tm& localTime, const RegFileExport& content,
                               std::string_view page = {});

}  // namespace velmora::registry
