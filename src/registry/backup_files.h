#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/data_folders.h"
#include "platform/services.h"
#include "registry/reg_file_export.h"
#include "registry/reg_file_restore.h"

// The backups the pages write before they delete, as the Restore window lists,
// restores and deletes them.
namespace velmora::registry {

// What a backup file holds, as far as the Restore window shows it before a restore.
struct BackupContents {
  enum class State {
    readable,
    unreadable,  // Damaged, or not a backup of ours: nothing of it is restored.
    foreign,     // It names a key or file the page that made it never deletes:
                 // nothing of it is restored.
  };
  State state = State::unreadable;
  // The page whose places it restores into ("registry", "startup", "uninstall"),
  // from the file's first comment line or else its name; empty when unknown.
  std::string page;
  int entries = 0;
  // Its first keys and files, in file order, at most kFirstEntriesShown.
  std::vector<std::string> firstEntries;
};
inline constexpr std::size_t kFirstEntriesShown = 5;

// What the Restore window decides while a backup is restored.
struct RestoreChoices {
  // Asked when values of the backup hold other data now ("HKEY_...\path\name"
  // each): true replaces them, false leaves them as they are.
  std::function<bool(const std::vector<std::string>& changed)> replaceChanged;
  // Writes what is about to be replaced, for the given page, into a new backup;
  // nothing is replaced unless it was written.
  std::function<platform::WrittenFile(const RegFileExport& replaced, std::string_view page)> saveReplaced;
};

// What restoring one backup did.
struct BackupRestore {
  BackupContents::State state = BackupContents::State::unreadable;
  int restoredCount = 0;
  int unchangedCount = 0;
  std::vector<RestoreFailure> failures;
  // Where what the restore replaced was saved first; empty when nothing was.
  std::string replacedSavedTo;
  // The backup of what was to be replaced that could not be written, so that
  // nothing was replaced; empty when there was none.
  std::string replacedNotSaved;
};

// Whether the page of a kind deletes a key of a backup: its root, its path as the
// registry editor names it, and whether the backup holds values of it.
using PlaceCheck = std::function<bool(std::string_view page, platform::RegKey root, std::string_view keyPath,
                                      bool hasValues)>;

// One kind of backup file, known by its extension: what it holds and how it is
// put back and removed. Registry files are one kind; another kind of backup (a
// file saved whole, say) is another format beside it.
struct BackupFormat {
  std::string extension;  // ".reg"
  std::function<BackupContents(platform::Services&, const std::string& path)> inspect;
  std::function<BackupRestore(platform::Services&, const std::string& path, const RestoreChoices&)> restore;
  // Removes the backup, every file of it; false when that failed.
  std::function<bool(platform::Services&, const std::string& path)> remove;
  // The extensions of the other files a backup of this format is made of, sharing
  // its name without extension (".reg" beside a saved file): such a file is part
  // of that backup, never listed as one of its own.
  std::vector<std::string> parts;
};

// The registry file format, which every page writes, restoring only into the
// places that places says the backup's page deletes from.
BackupFormat regFileFormat(PlaceCheck places);

// A registry backup read for restoring: what it holds for the window, and its
// keys and values. page, when not empty, is the page it must belong to (the .reg
// part of a backup of another format); otherwise its own says.
struct RegBackup {
  BackupContents contents;
  RegFileContents file;
};
RegBackup readRegBackup(platform::Services& services, const std::string& path, const PlaceCheck& places,
                        std::string_view page = {});

// Puts back a registry backup that read as readable: what is not there is
// written; values that hold other data now are replaced only when choices agree,
// after what they hold was saved.
BackupRestore restoreRegBackup(platform::Services& services, const RegBackup& backup,
                               const RestoreChoices& choices);

// One backup file as the Restore window lists it.
struct BackupListing {
  std::string path;
  std::string name;  // The file's name, without its folder.
  // The page whose places it restores into: "registry", "startup" or
  // "uninstall", from its first comment line or else the start of its name;
  // empty when neither says.
  std::string kind;
  // The local time the name carries, "YYYY-MM-DD HH:MM:SS"; empty when it
  // carries none.
  std::string date;
  std::optional<int> entries;  // Nothing: damaged, not ours, or foreign.
  BackupContents contents;
  const BackupFormat* format = nullptr;
};

// Every backup of the given formats in folders, newest first by the time its name
// carries (a name without one last), and by name within one second.
std::vector<BackupListing> listBackups(platform::Services& services, std::span<const std::string> folders,
                                       std::span<const BackupFormat> formats);

}  // namespace velmora::registry
