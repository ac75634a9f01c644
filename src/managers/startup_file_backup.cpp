#include "managers/startup_file_backup.h"

#include "platform/data_folders.h"
#include "platform/profile_file.h"
#include "registry/registry_backup.h"

namespace velmora::managers {
namespace {

constexpr const char* kSection = "File";
constexpr const char* kPathKey = "Path";

// A base no part of an earlier backup uses: "startup-...", then "-2", "-3", ...
std::optional<std::string> newBase(platform::TextFiles& textFiles, const std::string& folder,
                                   const std::tm& localTime) {
  const std::string name = registry::backupFileName("startup", localTime);
  return platform::freeBase(textFiles, folder, name.substr(0, name.size() - 4),
                            registry::kStartupFileBackupParts);
}

// Writes every part into folder, or none that stays.
StartupFileBackup saveInto(platform::FileSystem& files, platform::TextFiles& textFiles,
                           const std::string& folder, const std::tm& localTime, const std::string& filePath,
                           std::string_view bytes, const registry::RegFileExport& approval) {
  const std::optional<std::string> base = newBase(textFiles, folder, localTime);
  if (!base) return {false, folder + registry::backupFileName("startup", localTime)};

  // The bytes first: a path without its file restores nothing.
  if (!textFiles.writeBytes(*base + ".dat", bytes)) return {false, *base + ".dat"};
  std::string failed;
  if (!platform::ProfileFile(textFiles, *base + ".ini").writeString(kSection, kPathKey, filePath))
    failed = *base + ".ini";
  else if (!approval.empty() &&
           !textFiles.writeBytes(*base + ".reg", approval.fileBytes(registry::backupComment("startup"))))
    failed = *base + ".reg";
  if (failed.empty()) return {true, *base};
  discardStartupFileBackup(files, *base);
  return {false, failed};
}

}  // namespace

StartupFileBackup saveStartupFileBackup(platform::Services& services, const std::string& programFolder,
                                        const std::tm& localTime, const std::string& filePath,
                                        std::string_view bytes, const registry::RegFileExport& approval) {
  // The places registry backups go to, in the same order; all parts in one.
  StartupFileBackup first;
  for (const std::string& folder : platform::dataFolders(services.system, programFolder, "backups")) {
    platform::makeFolders(services.files, folder);
    StartupFileBackup backup =
        saveInto(services.files, services.textFiles, folder, localTime, filePath, bytes, approval);
    if (backup.written) return backup;
    if (first.path.empty()) first = std::move(backup);
  }
  return first;
}

void discardStartupFileBackup(platform::FileSystem& files, const std::string& base) {
  for (std::string_view part : registry::kStartupFileBackupParts) files.deleteFile(base + std::string(part));
}

std::string backedUpPath(platform::TextFiles& textFiles, const std::string& base) {
  return platform::ProfileFile(textFiles, base + ".ini").readString(kSection, kPathKey, "");
}

StartupFileRestore restoreStartupFile(platform::FileSystem& files, platform::TextFiles& textFiles,
                                      const std::string& base) {
  using Outcome = StartupFileRestore::Outcome;
  const std::string path = backedUpPath(textFiles, base);
  if (path.empty()) return {Outcome::backupUnreadable, base + ".ini"};
  const platform::FileContents bytes = textFiles.readBytes(base + ".dat");
  if (!bytes) return {Outcome::backupUnreadable, base + ".dat"};

  // Only a path where nothing is, as far as Windows says, is written: a file put
  // there since the deletion is the user's, and an access refusal hides what is.
  const platform::FileAttributes there = files.getFileAttributes(path);
  if (there) return {Outcome::fileExists, path};
  if (there.error != platform::FileError::fileNotFound) return {Outcome::cannotWrite, path};
  if (!textFiles.writeBytes(path, bytes.data)) return {Outcome::cannotWrite, path};
  return {Outcome::restored, path};
}

}  // namespace velmora::managers
