#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/services.h"
#include "platform/text_files.h"
#include "registry/reg_file_export.h"

// The backup of a file deleted from a Startup folder, and putting it back. In the
// backups folder, files sharing one base name "startup-YYYYMMDD-HHMMSS[-N]":
// <base>.dat holds the file's exact bytes, <base>.ini its full path (section
// [File], key Path), and <base>.reg, when the entry's StartupApproved value went
// with it, that value as the registry editor restores it.
namespace velmora::managers {

// Where the backup went: its base (the path without extension), or the path of
// the part that could not be written.
struct StartupFileBackup {
  bool written = false;
  std::string path;
};

// Writes a new backup of the file at filePath holding bytes, with approval when it
// is not empty, where registry backups go: the program's data\backups or, when
// that takes no file, the user's own backups folder. An earlier backup is never
// replaced. All parts are written into one folder or, as far as they can be taken
// away again, none; not written: path names what failed beside the program.
StartupFileBackup saveStartupFileBackup(platform::Services& services, const std::string& programFolder,
                                        const std::tm& localTime, const std::string& filePath,
                                        std::string_view bytes, const registry::RegFileExport& approval);

// Takes a backup away again, when what it saved could not be deleted after all.
void discardStartupFileBackup(platform::FileSystem& files, const std::string& base);

// The full path the backup at base (its path without extension) puts its file
// back to; empty when its .ini cannot be read or names none.
std::string backedUpPath(platform::TextFiles& textFiles, const std::string& base);

// What putting a file back did; path names the file concerned.
struct StartupFileRestore {
  enum class Outcome {
    restored,
    backupUnreadable,  // The .ini or the .dat cannot be read, or names no path.
    fileExists,        // Something is at the path now: it is left as it is.
    cannotWrite,       // The file cannot be made there (its folder is gone, refused).
    folderIsLink,      // Its folder, or one on the way to it, is a junction or
                       // symbolic link: nothing is written through one.
  };
  Outcome outcome = Outcome::backupUnreadable;
  std::string path;
};

// Puts the file of the backup at base (its path without extension) back at path,
// byte for byte: the path its .ini named when the caller read it once and checked
// it, never the .ini read again, which may have changed since. Never over an
// existing file, and never through a link: an elevated restore must not be led
// into another folder by a junction in place of the Startup folder or of a folder
// above it. The .reg part, if any, is restored as any registry backup is.
StartupFileRestore restoreStartupFile(platform::FileSystem& files, platform::TextFiles& textFiles,
                                      const std::string& base, const std::string& path);

}  // namespace velmora::managers
