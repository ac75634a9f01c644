#include "managers/startup_list.h"

#include <vector>

namespace velmora::managers {
namespace {

// Cuts the path before the last of the characters in set, when it holds pair.
void cutBeforeLast(std::string& path, std::string_view pair, const char* set) {
  if (path.find(pair) == std::string::npos) return;
  path.resize(path.find_last_of(set));
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

void buildStartupList(platform::RegistryStore& store, platform::Shell& shell,
                      ListingView<StartupEntry>& view) {
  view.clearEntries();
  std::vector<std::string> names;
  for (const ProgramSource& source : kProgramSources) {
    if (!view.keepGoing()) return;
    registry::TRegistry run(store);
    openSource(run, source);
    if (!run.OpenForRead(std::string(kRunKeyPath))) continue;
    run.ListValues(names);
    const std::string_view rootText = rootTextOf(source.root);
    const std::string registryKey = storedKeyPath(source, kRunKeyPath);
    for (const std::string& name : names) {
      if (!view.keepGoing()) return;
      const std::string data = textOrEmpty(run, name);
      std::string workingPath = startupWorkingPath(data);
      StartupEntry entry;
      entry.name = name;
      entry.imageIndex = shell.iconIndexOfPath(workingPath).value_or(0);
      entry.file = source.root == platform::HKEY_LOCAL_MACHINE ? data : std::move(workingPath);
      entry.rootText = rootText;
      entry.registryKey = registryKey;
      entry.location = {source, std::string(kRunKeyPath), name};
      view.listEntry(std::move(entry));
    }
    view.sourceDone();
  }
}

}  // namespace velmora::managers
