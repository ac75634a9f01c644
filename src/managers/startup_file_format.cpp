#include "managers/startup_file_format.h"

#include "managers/startup_file_backup.h"
#include "platform/file_system.h"
#include "platform/text_files.h"

namespace velmora::managers {
namespace {

std::string baseOf(const std::string& iniPath) { return iniPath.substr(0, iniPath.size() - 4); }

bool partThere(platform::Services& services, const std::string& path) {
  return services.textFiles.readBytes(path).status != platform::ReadStatus::notFound;
}

// The file's own part: its .ini and its .dat both read.
bool fileReadable(platform::Services& services, const std::string& base) {
  return services.textFiles.readBytes(base + ".ini").status == platform::ReadStatus::ok &&
         services.textFiles.readBytes(base + ".dat").status == platform::ReadStatus::ok;
}

registry::RestoreFailure fileFailure(const StartupFileRestore& restore) {
  return {restore.path, restore.outcome == StartupFileRestore::Outcome::fileExists
                            ? platform::ERROR_FILE_EXISTS
                            : platform::ERROR_CANNOT_MAKE};
}

}  // namespace

registry::BackupFormat startupFileFormat() {
  const registry::BackupFormat reg = registry::regFileFormat();
  return {".ini",
          [reg](platform::Services& services, const std::string& path) -> std::optional<int> {
            const std::string base = baseOf(path);
            if (!fileReadable(services, base)) return std::nullopt;
            if (!partThere(services, base + ".reg")) return 1;
            const std::optional<int> values = reg.countEntries(services, base + ".reg");
            if (!values) return std::nullopt;
            return 1 + *values;
          },
          [reg](platform::Services& services, const std::string& path) {
            const std::string base = baseOf(path);
            const bool hasReg = partThere(services, base + ".reg");
            // A damaged .reg part spoils the whole backup: nothing is put back.
            if (hasReg && !reg.countEntries(services, base + ".reg")) return registry::BackupRestore{};
            const StartupFileRestore file = restoreStartupFile(services.files, services.textFiles, base);
            if (file.outcome == StartupFileRestore::Outcome::backupUnreadable)
              return registry::BackupRestore{};
            registry::BackupRestore result{true, 0, {}};
            if (file.outcome == StartupFileRestore::Outcome::restored)
              result.restoredCount = 1;
            else
              result.failures.push_back(fileFailure(file));
            if (!hasReg) return result;
            registry::BackupRestore values = reg.restore(services, base + ".reg");
            result.restoredCount += values.restoredCount;
            result.failures.insert(result.failures.end(), values.failures.begin(), values.failures.end());
            return result;
          },
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
