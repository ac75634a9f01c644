#include "registry/registry_backup.h"

#include <cstdio>

namespace velmora::registry {

std::tm currentLocalTime() {
  const std::time_t now = std::time(nullptr);
  // Read on the UI thread only (a deletion on a worker takes the time its Delete
  // was pressed), so the shared result of localtime is safe here.
  const std::tm* local = std::localtime(&now);
  return local ? *local : std::tm{};
}

std::string backupFileName(std::string_view kind, const std::tm& localTime) {
  char stamp[96];  // Room for any year the fields can hold.
  std::snprintf(stamp, sizeof stamp, "-%04d%02d%02d-%02d%02d%02d.reg", localTime.tm_year + 1900,
                localTime.tm_mon + 1, localTime.tm_mday, localTime.tm_hour, localTime.tm_min,
                localTime.tm_sec);
  return std::string(kind) + stamp;
}

namespace {
constexpr std::string_view kPageLabel = "page: ";
}  // namespace

std::string backupComment(std::string_view page) {
  return "Velmora Disk Cleaner backup, " + std::string(kPageLabel) + std::string(page);
}

std::string pageOfComment(std::string_view comment) {
  const std::size_t label = comment.rfind(kPageLabel);
  if (label == std::string_view::npos) return {};
  const std::string_view page = comment.substr(label + kPageLabel.size());
  if (page == "registry" || page == "startup" || page == "uninstall") return std::string(page);
  return {};
}

BackupFile writeRegistryBackup(platform::Services& services, const std::string& programFolder,
                               std::string_view kind, const std::tm& localTime, const RegFileExport& content,
                               std::string_view page) {
  std::string stem = backupFileName(kind, localTime);
  stem.resize(stem.size() - 4);  // Without ".reg".
  // A registry backup written in the same second as a Startup-folder file's
  // must not take that backup's base, or the two would be listed, restored and
  // deleted as one.
  return platform::writeNewDataFile(services, programFolder, "backups", stem, ".reg",
                                    content.fileBytes(backupComment(page.empty() ? kind : page)),
                                    kStartupFileBackupParts);
}

}  // namespace velmora::registry
