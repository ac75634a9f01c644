#include "managers/startup_removal.h"

#include "managers/startup_file_backup.h"
#include "platform/file_system.h"
#include "platform/text_files.h"
#include "registry/registry_backup.h"

namespace velmora::managers {
namespace {

EntryRemoval removeStartupFile(platform::Services& services, const StartupEntry& entry,
                               const std::string& programFolder, const std::tm& localTime) {
  const std::string& path = entry.location.keyPath;
  // Only a plain file is deleted: a folder or a link put in its place since the
  // listing is left alone.
  const platform::FileAttributes attributes = services.files.getFileAttributes(path);
  if (!attributes || (attributes.attributes &
                      (platform::file_attribute::directory | platform::file_attribute::reparsePoint)) != 0)
    return {};
  const platform::FileContents bytes = services.textFiles.readBytes(path);
  if (!bytes) return {};

  registry::RegFileExport approval(services.registry);
  const bool hasApproval = entry.approval && valuePresent(services.registry, *entry.approval);
  if (hasApproval && !exportValue(approval, *entry.approval)) return {};
  const StartupFileBackup backup =
      saveStartupFileBackup(services, programFolder, localTime, path, bytes.data, approval);
  if (!backup.written) return {RemovalOutcome::backupFailed, backup.path};

  if (!services.files.deleteFile(path)) {
    // Nothing was deleted, so there is nothing for the backup to restore.
    discardStartupFileBackup(services.files, backup.path);
    return {};
  }
  if (hasApproval) removeValue(services.registry, *entry.approval);
  return {RemovalOutcome::removed, backup.path};
}

}  // namespace

EntryRemoval removeStartupEntry(platform::Services& services, const StartupEntry& entry,
                                const std::string& programFolder, const std::tm& localTime) {
  if (entry.kind == StartupKind::startupFile)
    return removeStartupFile(services, entry, programFolder, localTime);
  const BackupWriter writeBackup = [&](const registry::RegFileExport& content) {
    return registry::writeRegistryBackup(services, programFolder, "startup", localTime, content);
  };
  return removeEntry(services.registry, entry.location, writeBackup,
                     entry.approval ? &*entry.approval : nullptr);
}

}  // namespace velmora::managers
