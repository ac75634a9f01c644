#include "app/form_restore.h"

#include "widgets/application.h"

namespace velmora::app {
namespace {

// A report names this many failed entries at most, so that its box fits the screen.
constexpr std::size_t kFailuresShown = 15;
// The question about changed entries names this many at most.
constexpr std::size_t kChangedShown = 20;

// text with its "%d" replaced by number.
std::string withNumber(std::string text, std::size_t number) {
  const std::size_t at = text.find("%d");
  if (at == std::string::npos) return text + " " + std::to_string(number);
  return text.replace(at, 2, std::to_string(number));
}

}  // namespace

TFormRestore::TFormRestore(widgets::Application& app, platform::Services& services,
                           const MessageTexts& messages)
    : Form(app, "TFormRestore"), services_(services), messages_(messages) {
  setCaption("Restore");
  setBorderStyle(widgets::BorderStyle::Dialog);
  setSize(560, 360);
  setPlacement(widgets::FormPlacement::OwnerCenter);

  ListViewBackups.setBounds({8, 8, 530, 270});
  ListViewBackups.setRowSelect(true);
  ListViewBackups.setGridLines(true);
  ListViewBackups.addColumn("Date", 135);
  ListViewBackups.addColumn("Page", 80);
  ListViewBackups.addColumn("Entries", 60, widgets::TextAlign::Right);
  ListViewBackups.addColumn("File", 230);
  ButtonRestore.setBounds({8, 288, 105, 25});
  ButtonDelete.setBounds({119, 288, 105, 25});
  ButtonClose.setBounds({433, 288, 105, 25});

  onShow = [this] { refresh(); };
  ButtonRestore.onClick = [this] { ButtonRestoreClick(); };
  ButtonDelete.onClick = [this] { ButtonDeleteClick(); };
  ButtonClose.onClick = [this] { close(); };
}

std::vector<std::pair<std::string, std::string*>> TFormRestore::languageTexts() {
  return {{"FormRestore->StringRestoreQuestion", &StringRestoreQuestion},
          {"FormRestore->StringDeleteQuestion", &StringDeleteQuestion},
          {"FormRestore->StringRestored", &StringRestored},
          {"FormRestore->StringNotRestored", &StringNotRestored},
          {"FormRestore->StringAccessRefused", &StringAccessRefused},
          {"FormRestore->StringFileExists", &StringFileExists},
          {"FormRestore->StringDamaged", &StringDamaged},
          {"FormRestore->StringCantDelete", &StringCantDelete},
          {"FormRestore->StringForeign", &StringForeign},
          {"FormRestore->StringChangedQuestion", &StringChangedQuestion},
          {"FormRestore->StringMore", &StringMore},
          {"FormRestore->StringUnchanged", &StringUnchanged},
          {"FormRestore->StringChanged", &StringChanged},
          {"FormRestore->StringFileNotRestored", &StringFileNotRestored},
          {"FormRestore->StringFolderIsLink", &StringFolderIsLink},
          {"FormRestore->StringReplacedSaved", &StringReplacedSaved},
          {"FormRestore->StringReplacedNotSaved", &StringReplacedNotSaved}};
}

void TFormRestore::refresh() {
  const std::vector<std::string> folders = backupFolders ? backupFolders() : std::vector<std::string>{};
  listed_ = registry::listBackups(services_, folders, formats);
  ListViewBackups.clear();
  for (const registry::BackupListing& backup : listed_) {
    const std::string page = pageOf(backup);
    const std::string entries = backup.entries ? std::to_string(*backup.entries) : "?";
    ListViewBackups.addRow({backup.date, page, entries, backup.name});
  }
  if (!listed_.empty()) ListViewBackups.setSelectedIndex(0);
}

const registry::BackupListing* TFormRestore::selected() const {
  const int row = ListViewBackups.selectedIndex();
  if (row < 0 || static_cast<std::size_t>(row) >= listed_.size()) return nullptr;
  return &listed_[static_cast<std::size_t>(row)];
}

std::string TFormRestore::pageOf(const registry::BackupListing& backup) const {
  return backup.kind.empty() || !pageCaption ? "?" : pageCaption(backup.kind);
}

bool TFormRestore::ask(const std::string& question, const registry::BackupListing& backup) {
  return application().messageBox({question + "\n\n" + backup.name, messages_["StringConfirmation"],
                                   widgets::MessageButtons::YesNo, widgets::MessageIcon::None}) ==
         widgets::MessageAnswer::Yes;
}

bool TFormRestore::askRestore(const registry::BackupListing& backup) {
  // The page, the number of entries and the first keys, so that the user sees
  // what the file will write before anything is written.
  std::string text = StringRestoreQuestion + "\n\n" + backup.name + "\n" + ListViewBackups.column(1).caption +
                     ": " + pageOf(backup) + "\n" + ListViewBackups.column(2).caption + ": " +
                     std::to_string(backup.contents.entries) + "\n";
  for (const std::string& entry : backup.contents.firstEntries) text.append("\n").append(entry);
  if (backup.contents.entries > static_cast<int>(backup.contents.firstEntries.size())) text += "\n...";
  return application().messageBox({text, messages_["StringConfirmation"], widgets::MessageButtons::YesNo,
                                   widgets::MessageIcon::None}) == widgets::MessageAnswer::Yes;
}

bool TFormRestore::askReplace(const std::vector<std::string>& changed) {
  std::string text = StringChangedQuestion + "\n";
  for (std::size_t i = 0; i < changed.size() && i < kChangedShown; ++i) text.append("\n").append(changed[i]);
  if (changed.size() > kChangedShown)
    text.append("\n").append(withNumber(StringMore, changed.size() - kChangedShown));
  return application().messageBox({text, messages_["StringConfirmation"], widgets::MessageButtons::YesNo,
                                   widgets::MessageIcon::Warning}) == widgets::MessageAnswer::Yes;
}

void TFormRestore::tell(const std::string& text, widgets::MessageIcon icon) {
  application().messageBox({text, application().title(), widgets::MessageButtons::Ok, icon});
}

std::string TFormRestore::failureText(const registry::RestoreFailure& failure) const {
  using Reason = registry::RestoreFailure::Reason;
  if (failure.reason == Reason::changed) return StringChanged;
  if (failure.reason == Reason::fileNotRestored) return StringFileNotRestored;
  if (failure.reason == Reason::linkedFolder) return StringFolderIsLink;
  if (failure.status == platform::ERROR_ACCESS_DENIED) return StringAccessRefused;
  if (failure.status == platform::ERROR_FILE_EXISTS) return StringFileExists;
  return messages_.systemError(services_.system, failure.status);
}

std::string TFormRestore::restoreReport(const registry::BackupRestore& result) const {
  std::string report = StringRestored + std::to_string(result.restoredCount);
  if (result.unchangedCount > 0) report += "\n" + StringUnchanged + std::to_string(result.unchangedCount);
  if (!result.replacedSavedTo.empty()) report += "\n\n" + StringReplacedSaved + result.replacedSavedTo;
  if (!result.replacedNotSaved.empty()) report += "\n\n" + StringReplacedNotSaved + result.replacedNotSaved;
  if (result.failures.empty()) return report;
  report += "\n\n" + StringNotRestored;
  for (std::size_t i = 0; i < result.failures.size() && i < kFailuresShown; ++i)
    report.append("\n")
        .append(result.failures[i].entry)
        .append(" (")
        .append(failureText(result.failures[i]))
        .append(")");
  if (result.failures.size() > kFailuresShown) report += "\n...";
  return report;
}

void TFormRestore::ButtonRestoreClick() {
  using State = registry::BackupContents::State;
  const registry::BackupListing* chosen = selected();
  if (!chosen) return;
  const registry::BackupListing backup = *chosen;
  if (backup.contents.state != State::readable) {
    tell(backup.contents.state == State::foreign ? StringForeign : StringDamaged,
         widgets::MessageIcon::Error);
    return;
  }
  if (!askRestore(backup)) return;
  const registry::RestoreChoices choices{
      [this](const std::vector<std::string>& changed) { return askReplace(changed); }, saveReplaced};
  const registry::BackupRestore result = backup.format->restore(services_, backup.path, choices);
  if (result.state != State::readable) {
    // Changed between the listing and the restore.
    tell(result.state == State::foreign ? StringForeign : StringDamaged, widgets::MessageIcon::Error);
    refresh();
    return;
  }
  const bool clean = result.failures.empty() && result.replacedNotSaved.empty();
  tell(restoreReport(result), clean ? widgets::MessageIcon::Information : widgets::MessageIcon::Warning);
  // A backup of what was replaced is listed with the others.
  if (!result.replacedSavedTo.empty()) refresh();
}

void TFormRestore::ButtonDeleteClick() {
  const registry::BackupListing* chosen = selected();
  if (!chosen) return;
  const registry::BackupListing backup = *chosen;
  if (!ask(StringDeleteQuestion, backup)) return;
  if (!backup.format->remove(services_, backup.path)) tell(StringCantDelete, widgets::MessageIcon::Error);
  refresh();
}

}  // namespace velmora::app
