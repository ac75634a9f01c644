#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services.h"
#include "registry/reg_file_restore.h"

// The backups the pages write before they delete, as the Restore window lists,
// restores and deletes them.
namespace velmora::registry {

// What restoring one backup did.
struct BackupRestore {
  // False when the file could not be read, or is damaged or not ours: nothing
  // was restored.
  bool readable = false;
  int restoredCount = 0;
  std::vector<RestoreFailure> failures;
};

// One kind of backup file, known by its extension: how many entries it holds and
// how it is put back and removed. Registry files are one kind; another kind of
// backup (a file saved whole, say) is another format beside it.
struct BackupFormat {
  std::string extension;  // ".reg"
  // The entries the file holds; nothing when it is damaged or not ours.
  std::function<std::optional<int>(platform::Services&, const std::string& path)> countEntries;
  std::function<BackupRestore(platform::Services&, const std::string& path)> restore;
  // Removes the backup, every file of it; false when that failed.
  std::function<bool(platform::Services&, const std::string& path)> remove;
  // The extensions of the other files a backup of this format is made of, sharing
  // its name without extension (".reg" beside a saved file): such a file is part
  // of that backup, never listed as one of its own.
  std::vector<std::string> parts;
};

// The registry file format, which every page writes today.
BackupFormat regFileFormat();

// One backup file as the Restore window lists it.
struct BackupListing {
  std::string path;
  std::string name;  // The file's name, without its folder.
  // The page that wrote it, from the start of its name: "registry", "startup" or
  // "uninstall"; empty for a name that says none.
  std::string kind;
  // The local time the name carries, "YYYY-MM-DD HH:MM:SS"; empty when it
  // carries none.
  std::string date;
  std::optional<int> entries;  // Nothing: damaged or not ours.
  const BackupFormat* format = nullptr;
};

// Every backup of the given formats in folders, newest first by the time its name
// carries (a name without one last), and by name within one second.
std::vector<BackupListing> listBackups(platform::Services& services, std::span<const std::string> folders,
                                       std::span<const BackupFormat> formats);

}  // namespace velmora::registry
