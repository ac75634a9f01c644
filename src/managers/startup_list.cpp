#include "managers/startup_list.h"

#include <vector>

#include "common/text_lines.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace velmora::managers {
namespace {

// Cuts the path before the last of the characters in set, when it holds pair.
void cutBeforeLast(std::string& path, std::string_view pair, const char* set) {
  if (path.find(pair) == std::string::npos) return;
  path.resize(path.find_last_of(set));
}

// Lists the values of one of the Run keys below every source. False once the view
// says to stop.
bool listRunKey(platform::Services& services, std::string_view keyPath, StartupKind kind,
                ListingView<StartupEntry>& view) {
  return listEachSource(
      services.registry, keyPath, KeyNames::values, view,
      [&](const ProgramSource& source, const registry::TRegistry& key, const std::string& name) {
        const std::string data = textOrEmpty(key, name);
        std::string workingPath = startupWorkingPath(data);
        StartupEntry entry;
        entry.name = name;
        entry.imageIndex = services.shell.iconIndexOfPath(workingPath).value_or(0);
        entry.file = source.root == platform::HKEY_LOCAL_MACHINE ? data : std::move(workingPath);
        entry.rootText = rootTextOf(source.root);
        entry.registryKey = storedKeyPath(source, keyPath);
        entry.kind = kind;
        entry.location = {source, std::string(keyPath), name};
        if (kind == StartupKind::runValue) {
          entry.approval = runValueApproval(source, name);
          entry.state = readStartupState(services.registry, *entry.approval);
        }
        return std::optional<StartupEntry>(std::move(entry));
      });
}

// The names of the files in a folder, read whole before any is listed.
std::vector<std::string> fileNamesIn(platform::FileSystem& files, const std::string& folder) {
  std::vector<std::string> names;
  platform::FindData found;
  platform::FileSearch search = files.findFirstFile(folder + "\\*", found);
  if (!search) return names;
  do {
    if (found.isDirectory() || text::asciiLower(found.name) == "desktop.ini") continue;
    names.push_back(found.name);
  } while (search.findNext(found));
  return names;
}

// The program a Startup-folder file starts: a shortcut's target; nothing for any
// other file, which is opened itself.
std::optional<std::string> shortcutTargetOf(platform::Shell& shell, const std::string& path) {
  if (!text::asciiLower(path).ends_with(".lnk")) return std::nullopt;
  return shell.shortcutTarget(path);
}

// Lists the files of one Startup folder, whose state lies below root. False once
// the view says to stop.
bool listStartupFolder(platform::Services& services, int csidl, platform::RegKey root,
                       ListingView<StartupEntry>& view) {
  if (!view.keepGoing()) return false;
  const std::optional<std::string> folder = services.shell.folderPath(csidl);
  if (!folder || folder->empty()) return true;
  for (const std::string& name : fileNamesIn(services.files, *folder)) {
    if (!view.keepGoing()) return false;
    const std::string path = *folder + "\\" + name;
    StartupEntry entry;
    entry.name = name;
    const std::optional<std::string> target = shortcutTargetOf(services.shell, path);
    const std::string arguments = target ? services.shell.shortcutArguments(path).value_or("") : "";
    entry.file = !target ? path : arguments.empty() ? *target : *target + " " + arguments;
    entry.imageIndex = services.shell.iconIndexOfPath(target.value_or(path)).value_or(0);
    entry.registryKey = *folder;
    entry.kind = StartupKind::startupFile;
    entry.location = {{root, 0}, path, std::nullopt};
    entry.approval = startupFileApproval(root, name);
    entry.state = readStartupState(services.registry, *entry.approval);
    view.listEntry(std::move(entry));
  }
  view.sourceDone();
  return true;
}

}  // namespace

std::string startupWorkingPath(std::string_view data) {
  std::string path;
  for (char c : data)
    if (c != '"') path += c;
  cutBeforeLast(path, " /", " /");
  cutBeforeLast(path, " -", " -");
  cutBeforeLast(path, ",", ",");
  return path;
}

void buildStartupList(platform::Services& services, ListingView<StartupEntry>& view) {
  view.clearEntries();
  if (!listRunKey(services, kRunKeyPath, StartupKind::runValue, view)) return;
  if (!listRunKey(services, kRunOnceKeyPath, StartupKind::runOnceValue, view)) return;
  if (!listStartupFolder(services, platform::csidl::startup, platform::HKEY_CURRENT_USER, view)) return;
  listStartupFolder(services, platform::csidl::commonStartup, platform::HKEY_LOCAL_MACHINE, view);
}

}  // namespace velmora::managers
