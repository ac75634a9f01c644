#include "app/program_list_page.h"

#include <algorithm>
#include <array>

#include "app/row_batches.h"
#include "managers/uninstall_command.h"
#include "registry/registry_backup.h"

namespace velmora::app {

// Every change a listing makes to its page, handed to the UI thread through the
// worker's channel, so that a stopped listing changes nothing: rows in batches,
// and whatever waits when a source is done.
template <typename Entry>
class ListingUpdates final : public managers::ListingView<Entry> {
 public:
  ListingUpdates(const widgets::UiChannel& ui, ProgramListPage<Entry>& page)
      : ui_(ui),
        page_(&page),
        entries_(ui, [page = &page](std::vector<Entry> entries) { page->showEntries(std::move(entries)); }) {}

  bool keepGoing() override {
    entries_.sendIfDue();
    return !ui_.stopRequested();
  }
  void clearEntries() override {
    ui_.post([page = page_] { page->clearEntries(); });
  }
  void listEntry(Entry entry) override { entries_.add(std::move(entry)); }
  void sourceDone() override { entries_.send(); }

 private:
  widgets::UiChannel ui_;
  ProgramListPage<Entry>* page_;
  RowBatches<Entry> entries_;
};

namespace {

// The cells of a row, in column order.
std::array<std::string, 4> cellsOf(managers::StartupEntry& entry) {
  return {std::move(entry.name), std::move(entry.file), std::move(entry.rootText),
          std::move(entry.registryKey)};
}
std::array<std::string, 4> cellsOf(managers::UninstallEntry& entry) {
  return {std::move(entry.displayName), std::move(entry.publisher), std::move(entry.displayVersion),
          std::move(entry.installLocation)};
}

}  // namespace

template <typename Entry>
ProgramListPage<Entry>::ProgramListPage(widgets::Application& app, platform::Services& services,
                                        widgets::ListView& list, widgets::StatusBar& status,
                                        const MessageTexts& messages, std::function<void()> showScanStatus,
                                        std::string programFolder, ProgramListKind<Entry> kind)
    : localTime(registry::currentLocalTime),
      app_(app),
      services_(services),
      list_(list),
      messages_(messages),
      status_(status),
      showScanStatus_(std::move(showScanStatus)),
      programFolder_(std::move(programFolder)),
      kind_(kind) {}

template <typename Entry>
std::string ProgramListPage<Entry>::statusSummary() const {
  return messages_["StringFoundFiles"] + std::to_string(entryCount_);
}

template <typename Entry>
void ProgramListPage<Entry>::searchClick() {
  // Two listings would fill one list at once: a press while one runs is ignored.
  if (building_) return;
  building_ = true;
  entryCount_ = 0;
  status_.setSimpleText("");
  platform::Services& services = services_;
  const auto build = kind_.build;
  worker_ = Search::start(
      app_,
      [&services, build, this](const widgets::UiChannel& ui) {
        ListingUpdates<Entry> updates(ui, *this);
        build(services.registry, services.shell, updates);
      },
      [this] { building_ = false; });
}

template <typename Entry>
void ProgramListPage<Entry>::clearEntries() {
  list_.clear();
  locations_.clear();
}

template <typename Entry>
void ProgramListPage<Entry>::showEntries(std::vector<Entry> entries) {
  for (Entry& entry : entries) {
    locations_.push_back(std::move(entry.location));
    const std::array<std::string, 4> cells = cellsOf(entry);
    list_.addRow(cells, false, entry.imageIndex);
    ++entryCount_;
  }
  showScanStatus_();
}

template <typename Entry>
const managers::EntryLocation* ProgramListPage<Entry>::locationOf(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= locations_.size()) return nullptr;
  return &locations_[static_cast<std::size_t>(row)];
}

template <typename Entry>
void ProgramListPage<Entry>::tell(const std::string& text, widgets::MessageIcon icon) {
  app_.messageBox({text, app_.title(), widgets::MessageButtons::Ok, icon});
}

template <typename Entry>
void ProgramListPage<Entry>::deleteClick() {
  // With no row selected there is nothing to delete.
  const managers::EntryLocation* selected = locationOf(list_.selectedIndex());
  if (!selected) return;
  // While the question is open, a listing may go on filling the list, or empty it
  // and start again: what is deleted, and which row goes, follow the entry itself.
  const managers::EntryLocation entry = *selected;
  const widgets::MessageAnswer answer =
      app_.messageBox({messages_[kind_.deleteQuestionKey], messages_["StringConfirmation"],
                       widgets::MessageButtons::YesNo, widgets::MessageIcon::None});
  if (answer != widgets::MessageAnswer::Yes) return;

  const managers::EntryRemoval removal =
      managers::removeEntry(services_.registry, entry, [this](const registry::RegFileExport& content) {
        return registry::writeRegistryBackup(services_.files, services_.textFiles, programFolder_,
                                             kind_.backupKind, localTime(), content);
      });
  switch (removal.outcome) {
    case managers::RemovalOutcome::removed:
      if (const auto row = std::find(locations_.begin(), locations_.end(), entry); row != locations_.end()) {
        list_.remove(static_cast<int>(row - locations_.begin()));
        locations_.erase(row);
      }
      break;
    case managers::RemovalOutcome::failed:
      tell(messages_[kind_.cantDeleteKey]);
      break;
    case managers::RemovalOutcome::backupFailed:
      // Nothing was deleted: the user learns why, and where the backup was to go.
      tell("Cannot create file " + removal.backupPath, widgets::MessageIcon::Error);
      break;
  }
}

template class ProgramListPage<managers::StartupEntry>;
template class ProgramListPage<managers::UninstallEntry>;

StartupPage::StartupPage(widgets::Application& app, platform::Services& services, widgets::ListView& list,
                         widgets::StatusBar& status, const MessageTexts& messages,
                         std::function<void()> showScanStatus, std::string programFolder)
    : ProgramListPage(
          app, services, list, status, messages, std::move(showScanStatus), std::move(programFolder),
          {managers::buildStartupList, "StringDeleteProgramFromStartUp", "StringCantDeleteItem", "startup"}) {
}

UninstallPage::UninstallPage(widgets::Application& app, platform::Services& services, widgets::ListView& list,
                             widgets::StatusBar& status, const MessageTexts& messages,
                             std::function<void()> showScanStatus, std::string programFolder)
    : ProgramListPage(
          app, services, list, status, messages, std::move(showScanStatus), std::move(programFolder),
          {managers::buildUninstallList, "StringDeleteRegKey", "StringCantDeleteKey", "uninstall"}) {}

void UninstallPage::selectItem(int row) {
  const managers::EntryLocation* program = locationOf(row);
  if (!program) return;
  const managers::UninstallCommand command = managers::readUninstallCommand(services_.registry, *program);
  switch (command.status) {
    case managers::UninstallCommand::Status::keyNotOpened:
      tell(messages_["StringCantOpenKey"]);
      break;
    case managers::UninstallCommand::Status::noCommand:
      tell(messages_["StringDataNotFound"]);
      break;
    case managers::UninstallCommand::Status::found:
      selectedUninstallCommand_ = command.text;
      break;
  }
}

void UninstallPage::uninstallClick() {
  platform::FileSystem& files = services_.files;
  const std::optional<std::string> commandLine =
      managers::uninstallCommandLine(selectedUninstallCommand_, [&files](const std::string& path) {
        const platform::FileAttributes attributes = files.getFileAttributes(path);
        return attributes && (attributes.attributes & platform::file_attribute::directory) == 0;
      });
  // Neither a command that may not start nor a failed start is reported.
  if (commandLine) services_.shell.createProcess(*commandLine, platform::show_command::show);
}

}  // namespace velmora::app
