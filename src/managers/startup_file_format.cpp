#include "managers/startup_file_format.h"

#include "common/text_lines.h"
#include "managers/restore_places.h"
#include "managers/startup_file_backup.h"
#include "platform/file_system.h"
#include "platform/shell.h"
#include "platform/text_files.h"

namespace velmora::managers {
namespace {

using State = registry::BackupContents::State;

std::string baseOf(const std::string& iniPath) { return iniPath.substr(0, iniPath.size() - 4); }

bool partThere(platform::Services& services, const std::string& path) {
  return services.textFiles.readBytes(path).status != platform::ReadStatus::notFound;
}

// The file's saved bytes can be read.
bool bytesReadable(platform::Services& services, const std::string& base) {
  return services.textFiles.readBytes(base + ".dat").status == platform::ReadStatus::ok;
}

// Whether path names a file right inside the user's or all users' Startup
// folder, where the Startup page deletes files from: anything else, a system
// folder above all, is never written by a restore.
bool inStartupFolder(platform::Shell& shell, std::string_view path) {
  const std::size_t slash = path.find_last_of('\\');
  if (slash == std::string_view::npos) return false;
  const std::string_view name = path.substr(slash + 1);
  if (name.empty() || name == "." || name == ".." || name.find_first_of("/:") != std::string_view::npos)
    return false;
  const std::string folder = text::asciiLower(path.substr(0, slash));
  for (int csidl : {platform::csidl::startup, platform::csidl::commonStartup}) {
    const std::optional<std::string> startup = shell.folderPath(csidl);
    if (startup && !startup->empty() && text::asciiLower(*startup) == folder) return true;
  }
  return false;
}

registry::RestoreFailure fileFailure(const StartupFileRestore& restore) {
  using Outcome = StartupFileRestore::Outcome;
  if (restore.outcome == Outcome::folderIsLink)
    return {restore.path, platform::ERROR_SUCCESS, registry::RestoreFailure::Reason::linkedFolder};
  return {restore.path,
          restore.outcome == Outcome::fileExists ? platform::ERROR_FILE_EXISTS : platform::ERROR_CANNOT_MAKE};
}

// The backup as the window sees it, with its .reg part when it has one, and the
// path its .ini names as read once: the path checked is the path written.
struct StartupBackup {
  registry::BackupContents contents;
  std::optional<registry::RegBackup> approval;
  std::string path;
};

StartupBackup readStartupBackup(platform::Services& services, const std::string& iniPath) {
  StartupBackup backup;
  const std::string base = baseOf(iniPath);
  if (!bytesReadable(services, base)) return backup;
  // The one reading of the .ini: an .ini that cannot be read names no path.
  const std::string& path = backup.path = backedUpPath(services.textFiles, base);
  if (path.empty()) return backup;
  registry::BackupContents& contents = backup.contents;
  contents = {inStartupFolder(services.shell, path) ? State::readable : State::foreign, "startup", 1, {path}};
  if (!partThere(services, base + ".reg")) return backup;
  backup.approval = registry::readRegBackup(services, base + ".reg", pageDeletesFrom, "startup");
  const registry::BackupContents& values = backup.approval->contents;
  // A damaged .reg part spoils the whole backup, and so does a foreign one.
  if (values.state != State::readable && contents.state != State::unreadable) contents.state = values.state;
  contents.entries += values.entries;
  for (const std::string& entry : values.firstEntries)
    if (contents.firstEntries.size() < registry::kFirstEntriesShown) contents.firstEntries.push_back(entry);
  return backup;
}

registry::BackupRestore restoreStartupBackup(platform::Services& services, const std::string& iniPath,
                                             const registry::RestoreChoices& choices) {
  const StartupBackup backup = readStartupBackup(services, iniPath);
  registry::BackupRestore result;
  result.state = backup.contents.state;
  if (result.state != State::readable) return result;
  const StartupFileRestore file =
      restoreStartupFile(services.files, services.textFiles, baseOf(iniPath), backup.path);
  if (file.outcome == StartupFileRestore::Outcome::backupUnreadable) {
    result.state = State::unreadable;
    return result;
  }
  if (file.outcome == StartupFileRestore::Outcome::restored)
    result.restoredCount = 1;
  else
    result.failures.push_back(fileFailure(file));
  if (!backup.approval) return result;
  if (file.outcome != StartupFileRestore::Outcome::restored) {
    // The approval value belongs to the file backed up: written beside a file
    // put there since, it would switch that program off.
    for (const registry::RegFileSection& section : backup.approval->file.sections)
      for (const registry::RegFileValue& value : section.values)
        result.failures.push_back({registry::entryName(section, value), platform::ERROR_SUCCESS,
                                   registry::RestoreFailure::Reason::fileNotRestored});
    return result;
  }
  registry::BackupRestore values = registry::restoreRegBackup(services, *backup.approval, choices);
  result.restoredCount += values.restoredCount;
  result.unchangedCount += values.unchangedCount;
  result.failures.insert(result.failures.end(), values.failures.begin(), values.failures.end());
  result.replacedSavedTo = values.replacedSavedTo;
  result.replacedNotSaved = values.replacedNotSaved;
  return result;
}

}  // namespace

registry::BackupFormat startupFileFormat() {
  return {".ini",
          [](platform::Services& services, const std::string& path) {
            return readStartupBackup(services, path).contents;
          },
          restoreStartupBackup,
          [](platform::Services& services, const std::string& path) {
            // The .ini last: a backup not wholly removed still lists, to be removed again.
            const std::string base = baseOf(path);
            bool removed = true;
            for (const char* part : {".dat", ".reg", ".ini"})
              if (partThere(services, base + part) && !services.files.deleteFile(base + part))
                removed = false;
            return removed;
          },
          {".reg"}};
}

}  // namespace velmora::managers
