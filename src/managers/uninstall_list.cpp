#include "managers/uninstall_list.h"

#include <vector>

namespace velmora::managers {
namespace {

constexpr const char* kDisplayName = "DisplayName";
constexpr const char* kUninstallString = "UninstallString";

std::string withoutQuotes(std::string_view text) {
  std::string result;
  for (char c : text)
    if (c != '"') result += c;
  return result;
}

}  // namespace

void buildUninstallList(platform::RegistryStore& store, platform::Shell& shell,
                        ListingView<UninstallEntry>& view) {
  view.clearEntries();
  std::vector<std::string> names;
  for (const ProgramSource& source : kProgramSources) {
    if (!view.keepGoing()) return;
    registry::TRegistry uninstall(store);
    openSource(uninstall, source);
    if (!uninstall.OpenForRead(std::string(kUninstallKeyPath))) continue;
    uninstall.ListSubkeys(names);
    uninstall.Close();
    for (const std::string& name : names) {
      if (!view.keepGoing()) return;
      const std::string keyPath = std::string(kUninstallKeyPath) + name;
      registry::TRegistry program(store);
      openSource(program, source);
      if (!program.OpenForRead(keyPath)) continue;
      if (!program.HasValue(kDisplayName) || !program.HasValue(kUninstallString)) continue;
      UninstallEntry entry;
      entry.displayName = textOrEmpty(program, kDisplayName);
      entry.publisher = textOrEmpty(program, "Publisher");
      entry.displayVersion = textOrEmpty(program, "DisplayVersion");
      entry.installLocation = textOrEmpty(program, "InstallLocation");
      entry.imageIndex =
          shell.iconIndexOfPath(withoutQuotes(textOrEmpty(program, kUninstallString))).value_or(0);
      entry.location = {source, keyPath, std::nullopt};
      view.listEntry(std::move(entry));
    }
    view.sourceDone();
  }
}

UninstallCommand readUninstallCommand(platform::RegistryStore& store, const EntryLocation& program) {
  registry::TRegistry key(store);
  openSource(key, program.source);
  if (!key.OpenForRead(program.keyPath)) return {UninstallCommand::Status::keyNotOpened, {}};
  if (!key.HasValue(kUninstallString)) return {UninstallCommand::Status::noCommand, {}};
  return {UninstallCommand::Status::found, textOrEmpty(key, kUninstallString)};
}

}  // namespace velmora::managers
