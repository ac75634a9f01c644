#include "registry/backup_files.h"

#include <algorithm>
#include <cctype>

#include "platform/file_system.h"
#include "platform/text_files.h"
#include "registry/reg_file_reader.h"

namespace velmora::registry {
namespace {

std::optional<RegFileContents> readBackup(platform::Services& services, const std::string& path) {
  const platform::FileContents file = services.textFiles.readBytes(path);
  if (!file) return std::nullopt;
  return readRegFile(file.data);
}

bool allDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "registry-20240131-235905[-N]<extension>": the kind before the first hyphen
// and the time after it, when the name is of that form.
void readName(BackupListing& backup, std::string_view extension) {
  std::string_view stem = std::string_view(backup.name).substr(0, backup.name.size() - extension.size());
  const std::size_t hyphen = stem.find('-');
  if (hyphen == std::string_view::npos) return;
  const std::string_view kind = stem.substr(0, hyphen);
  const std::string_view stamp = stem.substr(hyphen + 1, 15);
  if (stamp.size() != 15 || stamp[8] != '-' || !allDigits(stamp.substr(0, 8)) || !allDigits(stamp.substr(9)))
    return;
  if (kind == "registry" || kind == "startup" || kind == "uninstall") backup.kind = kind;
  backup.date = std::string(stamp.substr(0, 4)) + "-" + std::string(stamp.substr(4, 2)) + "-" +
                std::string(stamp.substr(6, 2)) + " " + std::string(stamp.substr(9, 2)) + ":" +
                std::string(stamp.substr(11, 2)) + ":" + std::string(stamp.substr(13, 2));
}

bool endsWithIgnoringCase(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  return std::equal(
      end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
      });
}

std::string_view pathStem(const BackupListing& backup) {
  return std::string_view(backup.path).substr(0, backup.path.size() - backup.format->extension.size());
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && endsWithIgnoringCase(a, b);
}

// Whether backup is a part of another listed backup, not one of its own.
bool partOfAnother(const std::vector<BackupListing>& backups, const BackupListing& backup) {
  return std::any_of(backups.begin(), backups.end(), [&](const BackupListing& whole) {
    const std::vector<std::string>& parts = whole.format->parts;
    return std::find(parts.begin(), parts.end(), backup.format->extension) != parts.end() &&
           sameIgnoringCase(pathStem(whole), pathStem(backup));
  });
}

}  // namespace

BackupFormat regFileFormat() {
  return {".reg",
          [](platform::Services& services, const std::string& path) -> std::optional<int> {
            const std::optional<RegFileContents> contents = readBackup(services, path);
            if (!contents) return std::nullopt;
            return contents->entryCount();
          },
          [](platform::Services& services, const std::string& path) {
            BackupRestore result;
            const std::optional<RegFileContents> contents = readBackup(services, path);
            if (!contents) return result;
            RestoreResult restored = restoreRegFile(services.registry, *contents);
            return BackupRestore{true, restored.restoredCount, std::move(restored.failures)};
          },
          [](platform::Services& services, const std::string& path) {
            return static_cast<bool>(services.files.deleteFile(path));
          },
          {}};
}

std::vector<BackupListing> listBackups(platform::Services& services, std::span<const std::string> folders,
                                       std::span<const BackupFormat> formats) {
  std::vector<BackupListing> backups;
  for (const std::string& folder : folders) {
    for (const BackupFormat& format : formats) {
      platform::FindData entry;
      platform::FileSearch search = services.files.findFirstFile(folder + "*" + format.extension, entry);
      if (!search) continue;
      do {
        // The search also matches the short names of longer extensions.
        if (entry.isDirectory() || !endsWithIgnoringCase(entry.name, format.extension)) continue;
        BackupListing backup;
        backup.path = folder + entry.name;
        backup.name = entry.name;
        backup.format = &format;
        readName(backup, format.extension);
        backup.entries = format.countEntries(services, backup.path);
        backups.push_back(std::move(backup));
      } while (search.findNext(entry));
    }
  }
  std::vector<BackupListing> own;
  for (const BackupListing& backup : backups)
    if (!partOfAnother(backups, backup)) own.push_back(backup);
  backups = std::move(own);
  std::stable_sort(backups.begin(), backups.end(), [](const BackupListing& a, const BackupListing& b) {
    if (a.date != b.date) return a.date > b.date;
    // Within one second "...-2", "...-10" came after the plain name.
    if (a.name.size() != b.name.size()) return a.name.size() > b.name.size();
    return a.name > b.name;
  });
  return backups;
}

}  // namespace velmora::registry
