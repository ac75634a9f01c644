#include "managers/startup_file_backup.h"

#include "platform/data_folders.h"
#include "platform/profile_file.h"
#include "registry/registry_backup.h"

namespace velmora::managers {
namespace {

constexpr const char* kSection = "File";
constexpr const char* kPathKey = "Path";

// The parts that share a backup's base with its .dat part.
constexpr std::string_view kOtherParts[] = {".ini", ".reg"};

// Writes every part into folder, or none that stays. The .dat part takes the base
// as a new file, so that no other backup, of this run or another, shares it; the
// others are new files too, and a part another run took in between (its registry
// backup's .reg) is left to it.
StartupFileBackup saveInto(platform::FileSystem& files, platform::TextFiles& textFiles,
                           const std::string& folder, const std::tm& localTime, const std::string& filePath,
                           std::string_view bytes, const registry::RegFileExport& approval) {
  const std::string name = registry::backupFileName("startup", localTime);
  // The bytes first: a path without its file restores nothing.
  const platform::WrittenFile dat = platform::createNewNamed(
      textFiles, folder, name.substr(0, name.size() - 4), ".dat", bytes, kOtherParts);
  if (!dat.written) return {false, dat.path};
  const std::string base = dat.path.substr(0, dat.path.size() - 4);
  std::vector<std::string> made{dat.path};
  std::string failed;
  const auto part = [&](const char* extension, std::string_view partBytes) {
    if (!failed.empty()) return;
    if (textFiles.createNew(base + extension, partBytes, false) == platform::NewFile::written)
      made.push_back(base + extension);
    else
      failed = base + extension;
  };
  // Built piece by piece: GCC 12 takes the usual chain of + here for an overlapping copy.
  std::string ini = "[";
  ini.append(kSection).append("]\r\n").append(kPathKey).append("=").append(filePath).append("\r\n");
  part(".ini", ini);
  if (!approval.empty()) part(".reg", approval.fileBytes(registry::backupComment("startup")));
  if (failed.empty()) return {true, base};
  for (const std::string& path : made) files.deleteFile(path);
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
                                      const std::string& base, const std::string& path) {
  using Outcome = StartupFileRestore::Outcome;
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string::npos) return {Outcome::backupUnreadable, base + ".ini"};
  const platform::FileContents bytes = textFiles.readBytes(base + ".dat");
  if (!bytes) return {Outcome::backupUnreadable, base + ".dat"};

  const std::string folder = path.substr(0, slash);
  if (!files.plainDirectoryExists(folder))
    return {files.directoryExists(folder) ? Outcome::folderIsLink : Outcome::cannotWrite, path};
  // Only a path where nothing is, as far as Windows says, is written: a file put
  // there since the deletion is the user's, and an access refusal hides what is.
  const platform::FileAttributes there = files.getFileAttributes(path);
  if (there) return {Outcome::fileExists, path};
  if (there.error != platform::FileError::fileNotFound) return {Outcome::cannotWrite, path};
  // The checks above looked at the path; the file made is checked itself, so that a
  // folder swapped for a link since then takes nothing either.
  switch (textFiles.createNew(path, bytes.data, true)) {
    case platform::NewFile::written:
      return {Outcome::restored, path};
    case platform::NewFile::exists:
      return {Outcome::fileExists, path};
    case platform::NewFile::redirected:
      return {Outcome::folderIsLink, path};
    case platform::NewFile::failed:
      break;
  }
  return {Outcome::cannotWrite, path};
}

}  // namespace velmora::managers
