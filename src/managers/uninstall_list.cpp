#include "managers/uninstall_list.h"

#include "platform/shell.h"

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

void buildUninstallList(platform::Services& services, ListingView<UninstallEntry>& view) {
  view.clearEntries();
  listEachSource(
      services.registry, kUninstallKeyPath, KeyNames::subkeys, view,
      [&](const ProgramSource& source, const registry::TRegistry&,
          const std::string& name) -> std::optional<UninstallEntry> {
        const std::string keyPath = std::string(kUninstallKeyPath) + name;
        registry::TRegistry program(services.registry);
        openSource(program, source);
        if (!program.OpenForRead(keyPath)) return std::nullopt;
        if (!program.HasValue(kDisplayName) || !program.HasValue(kUninstallString)) return std::nullopt;
        UninstallEntry entry;
        entry.displayName = textOrEmpty(program, kDisplayName);
        entry.publisher = textOrEmpty(program, "Publisher");
        entry.displayVersion = textOrEmpty(program, "DisplayVersion");
        entry.installLocation = textOrEmpty(program, "InstallLocation");
        entry.imageIndex =
            services.shell.iconIndexOfPath(withoutQuotes(textOrEmpty(program, kUninstallString))).value_or(0);
        entry.location = {source, keyPath, std::nullopt};
        return entry;
      });
}

UninstallCommand readUninstallCommand(platform::RegistryStore& store, const EntryLocation& program) {
  registry::TRegistry key(store);
  openSource(key, program.source);
  if (!key.OpenForRead(program.keyPath)) return {UninstallCommand::Status::keyNotOpened, {}};
  if (!key.HasValue(kUninstallString)) return {UninstallCommand::Status::noCommand, {}};
  return {UninstallCommand::Status::found, textOrEmpty(key, kUninstallString),
          key.ValueKind(kUninstallString) == registry::RegValueKind::ExpandText};
}

}  // namespace velmora::managers
