#include "registry/backup_files.h"

#include <algorithm>
#include <cctype>

#include "platform/file_system.h"
#include "platform/text_files.h"
#include "registry/reg_file_reader.h"
#include "registry/registry_backup.h"

namespace velmora::registry {
namespace {

bool allDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "registry-20240131-235905[-N]<extension>": the time after the first hyphen,
// when the name is of that form.
void readDate(BackupListing& backup, std::string_view extension) {
  std::string_view stem = std::string_view(backup.name).substr(0, backup.name.size() - extension.size());
  const std::size_t hyphen = stem.find('-');
  if (hyphen == std::string_view::npos) return;
  const std::string_view stamp = stem.substr(hyphen + 1, 15);
  if (stamp.size() != 15 || stamp[8] != '-' || !allDigits(stamp.substr(0, 8)) || !allDigits(stamp.substr(9)))
    return;
  backup.date = std::string(stamp.substr(0, 4)) + "-" + std::string(stamp.substr(4, 2)) + "-" +
                std::string(stamp.substr(6, 2)) + " " + std::string(stamp.substr(9, 2)) + ":" +
                std::string(stamp.substr(11, 2)) + ":" + std::string(stamp.substr(13, 2));
}

std::string_view fileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The page a registry backup belongs to: what its first comment line says, else
// what the start of its name says; nothing when the two disagree.
std::string pageOf(const RegFileContents& file, std::string_view path) {
  const std::string_view name = fileNameOf(path);
  const std::string fromName = pageOfComment("page: " + std::string(name.substr(0, name.find('-'))));
  const std::string fromComment = pageOfComment(file.firstComment);
  if (!fromComment.empty() && !fromName.empty() && fromComment != fromName) return {};
  return fromComment.empty() ? fromName : fromComment;
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

RegBackup readRegBackup(platform::Services& services, const std::string& path, const PlaceCheck& places,
                        std::string_view page) {
  RegBackup backup;
  const platform::FileContents bytes = services.textFiles.readBytes(path);
  if (!bytes) return backup;
  std::optional<RegFileContents> file = readRegFile(bytes.data);
  if (!file) return backup;
  BackupContents& contents = backup.contents;
  contents.page = page.empty() ? pageOf(*file, path) : std::string(page);
  contents.entries = file->entryCount();
  contents.state = contents.page.empty() ? BackupContents::State::foreign : BackupContents::State::readable;
  for (const RegFileSection& section : file->sections) {
    if (contents.firstEntries.size() < kFirstEntriesShown)
      contents.firstEntries.push_back(entryName(section));
    // One key the page never deletes from spoils the whole file.
    if (!places(contents.page, section.root, section.keyPath, !section.values.empty()))
      contents.state = BackupContents::State::foreign;
  }
  backup.file = std::move(*file);
  return backup;
}

BackupRestore restoreRegBackup(platform::Services& services, const RegBackup& backup,
                               const RestoreChoices& choices) {
  BackupRestore result;
  result.state = backup.contents.state;
  if (result.state != BackupContents::State::readable) return result;
  const RestorePlan plan = planRestore(services.registry, backup.file);
  const std::vector<std::string> changed = plan.changedEntries(backup.file);
  bool replace = false;
  if (!changed.empty() && choices.replaceChanged && choices.replaceChanged(changed)) {
    // What is there now goes into a backup of its own before anything replaces it.
    RegFileExport replaced(services.registry);
    bool exported = true;
    for (const RestorePlan::Value& planned : plan.values) {
      if (planned.state != RestorePlan::State::changed) continue;
      const RegFileSection& section = backup.file.sections[planned.section];
      exported =
          exported && replaced.addValue(section.root, section.keyPath, section.values[planned.value].name);
    }
    const platform::WrittenFile saved = exported && choices.saveReplaced
                                            ? choices.saveReplaced(replaced, backup.contents.page)
                                            : platform::WrittenFile{false, changed.front()};
    if (saved.written)
      result.replacedSavedTo = saved.path;
    else
      result.replacedNotSaved = saved.path;
    replace = saved.written;
  }
  const RestoreResult applied = applyRestore(services.registry, backup.file, plan, replace);
  result.restoredCount = applied.restoredCount;
  result.unchangedCount = applied.unchangedCount;
  result.failures = applied.failures;
  return result;
}

BackupFormat regFileFormat(PlaceCheck places) {
  return {".reg",
          [places](platform::Services& services, const std::string& path) {
            return readRegBackup(services, path, places).contents;
          },
          [places](platform::Services& services, const std::string& path, const RestoreChoices& choices) {
            return restoreRegBackup(services, readRegBackup(services, path, places), choices);
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
        readDate(backup, format.extension);
        backup.contents = format.inspect(services, backup.path);
        backup.kind = backup.contents.page;
        if (backup.contents.state == BackupContents::State::readable)
          backup.entries = backup.contents.entries;
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
