#include "app/program_list_page.h"

#include <algorithm>
#include <array>

#include "app/row_batches.h"
#include "managers/startup_removal.h"
#include "managers/uninstall_command.h"
#include "platform/shell.h"
#include "platform/system_info.h"
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
        build(services, updates);
      },
      [this] { building_ = false; });
}

template <typename Entry>
void ProgramListPage<Entry>::clearEntries() {
  list_.clear();
  entries_.clear();
  listingStarted();
  rowsChanged();
}

template <typename Entry>
void ProgramListPage<Entry>::showEntries(std::vector<Entry> entries) {
  for (Entry& entry : entries) {
    list_.addRow(cellsOf(entry), false, entry.imageIndex);
    entries_.push_back(std::move(entry));
    ++entryCount_;
  }
  showScanStatus_();
  rowsChanged();
}

template <typename Entry>
const Entry* ProgramListPage<Entry>::entryAt(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= entries_.size()) return nullptr;
  return &entries_[static_cast<std::size_t>(row)];
}

template <typename Entry>
void ProgramListPage<Entry>::tell(const std::string& text, widgets::MessageIcon icon) {
  app_.messageBox({text, app_.title(), widgets::MessageButtons::Ok, icon});
}

template <typename Entry>
void ProgramListPage<Entry>::deleteClick() {
  // With no row selected there is nothing to delete.
  const Entry* selected = entryAt(list_.selectedIndex());
  if (!selected) return;
  // While the question is open, a listing may go on filling the list, or empty it
  // and start again: what is deleted, and which row goes, follow the entry itself.
  const Entry entry = *selected;
  const widgets::MessageAnswer answer =
      app_.messageBox({messages_[kind_.deleteQuestionKey], messages_["StringConfirmation"],
                       widgets::MessageButtons::YesNo, widgets::MessageIcon::None});
  if (answer != widgets::MessageAnswer::Yes) return;

  const managers::EntryRemoval removal = remove(entry);
  switch (removal.outcome) {
    case managers::RemovalOutcome::removed:
      if (const auto row = std::find_if(entries_.begin(), entries_.end(),
                                        [&entry](const Entry& listed) { return listed.sameEntry(entry); });
          row != entries_.end()) {
        list_.remove(static_cast<int>(row - entries_.begin()));
        entries_.erase(row);
        rowsChanged();
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

template <typename Entry>
managers::EntryRemoval ProgramListPage<Entry>::remove(const Entry& entry) {
  return managers::removeEntry(services_.registry, entry.location,
                               [this](const registry::RegFileExport& content) {
                                 return registry::writeRegistryBackup(services_, programFolder_,
                                                                      kind_.backupKind, localTime(), content);
                               });
}

template class ProgramListPage<managers::StartupEntry>;
template class ProgramListPage<managers::UninstallEntry>;

StartupPage::StartupPage(widgets::Application& app, platform::Services& services, widgets::ListView& list,
                         widgets::StatusBar& status, const MessageTexts& messages,
                         std::function<void()> showScanStatus, std::string programFolder,
                         widgets::Button& disableButton)
    : ProgramListPage(
          app, services, list, status, messages, std::move(showScanStatus), std::move(programFolder),
          {managers::buildStartupList, "StringDeleteProgramFromStartUp", "StringCantDeleteItem", "startup"}),
      fileTime(managers::currentFileTime),
      disableButton_(disableButton) {
  selectItem();
}

std::vector<std::string> StartupPage::cellsOf(const managers::StartupEntry& entry) const {
  std::vector<std::string> cells(columnCount);
  cells[programs] = entry.name;
  cells[file] = entry.file;
  cells[status] =
      messages_[entry.state == managers::StartupState::disabled ? "StringDisabled" : "StringEnabled"];
  cells[rootKey] =
      entry.kind == managers::StartupKind::startupFile ? messages_["StringStartupFolder"] : entry.rootText;
  cells[registryKey] = entry.registryKey;
  return cells;
}

managers::EntryRemoval StartupPage::remove(const managers::StartupEntry& entry) {
  return managers::removeStartupEntry(services_, entry, programFolder(), localTime());
}

void StartupPage::selectItem() {
  const managers::StartupEntry* entry = entryAt(list_.selectedIndex());
  // Windows has no off switch for a RunOnce value: it runs once and is gone.
  disableButton_.setEnabled(entry && entry->approval.has_value());
  const bool disabled = entry && entry->state == managers::StartupState::disabled;
  // Without a language file the button keeps the caption it was designed with.
  const std::string& caption = messages_[disabled ? "StringEnable" : "StringDisable"];
  if (!caption.empty()) disableButton_.setCaption(caption);
}

void StartupPage::disableClick() {
  const int row = list_.selectedIndex();
  const managers::StartupEntry* selected = entryAt(row);
  if (!selected || !selected->approval) return;
  const managers::StartupState wanted = selected->state == managers::StartupState::disabled
                                            ? managers::StartupState::enabled
                                            : managers::StartupState::disabled;
  if (!managers::writeStartupState(services_.registry, *selected->approval, wanted, fileTime())) {
    // Refused: the entry keeps its state, and the message speaks of a change, as
    // nothing was to be deleted.
    tell(messages_["StringCantChangeItem"]);
    return;
  }
  managers::StartupEntry& entry = entries()[static_cast<std::size_t>(row)];
  entry.state = wanted;
  list_.setCell(row, status, cellsOf(entry)[status]);
  selectItem();
}

void StartupPage::refreshTexts() {
  for (int row = 0; row < static_cast<int>(entries().size()); ++row) {
    const std::vector<std::string> cells = cellsOf(entries()[static_cast<std::size_t>(row)]);
    list_.setCell(row, status, cells[status]);
    list_.setCell(row, rootKey, cells[rootKey]);
  }
  selectItem();
}

UninstallPage::UninstallPage(widgets::Application& app, platform::Services& services, widgets::ListView& list,
                             widgets::StatusBar& status, const MessageTexts& messages,
                             std::function<void()> showScanStatus, std::string programFolder)
    : ProgramListPage(
          app, services, list, status, messages, std::move(showScanStatus), std::move(programFolder),
          {managers::buildUninstallList, "StringDeleteRegKey", "StringCantDeleteKey", "uninstall"}) {}

std::vector<std::string> UninstallPage::cellsOf(const managers::UninstallEntry& entry) const {
  return {entry.displayName, entry.publisher, entry.displayVersion, entry.installLocation};
}

void UninstallPage::selectItem(int row) {
  const managers::UninstallEntry* program = entryAt(row);
  if (!program) return;
  // A selection that fails leaves no command behind: Uninstall must never start
  // the program chosen before.
  selectedUninstallCommand_.clear();
  selectedCommandExpands_ = false;
  const managers::UninstallCommand command =
      managers::readUninstallCommand(services_.registry, program->location);
  switch (command.status) {
    case managers::UninstallCommand::Status::keyNotOpened:
      tell(messages_["StringCantOpenKey"]);
      break;
    case managers::UninstallCommand::Status::noCommand:
      tell(messages_["StringDataNotFound"]);
      break;
    case managers::UninstallCommand::Status::found:
      selectedUninstallCommand_ = command.text;
      selectedCommandExpands_ = command.expandable;
      break;
  }
}

void UninstallPage::uninstallClick() {
  if (selectedUninstallCommand_.empty()) return;
  // An expandable command names its program through variables such as
  // %ProgramFiles%, which CreateProcess never expands itself.
  const std::optional<std::string> command =
      selectedCommandExpands_ ? services_.system.expandEnvironment(selectedUninstallCommand_)
                              : std::optional<std::string>(selectedUninstallCommand_);
  platform::FileSystem& files = services_.files;
  const std::optional<std::string> commandLine =
      command ? managers::uninstallCommandLine(*command, services_.system.systemDirectory().value_or(""),
                                               [&files](const std::string& path) {
                                                 const platform::FileAttributes attributes =
                                                     files.getFileAttributes(path);
                                                 return attributes && (attributes.attributes &
                                                                       platform::file_attribute::directory) == 0;
                                               })
              : std::nullopt;
  if (!commandLine) {
    tell(messages_["StringCantStartSafely"] + "\n\n" + command.value_or(selectedUninstallCommand_),
         widgets::MessageIcon::Warning);
    return;
  }
  const std::uint32_t error = services_.shell.createProcess(*commandLine, platform::show_command::show);
  if (error != 0)
    tell(messages_["StringCantStartUninstaller"] + "\n\n" + *commandLine + "\n\n" +
             messages_.systemError(services_.system, error),
         widgets::MessageIcon::Error);
}

}  // namespace velmora::app
