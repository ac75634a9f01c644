#include "app/form_restore.h"

#include "widgets/application.h"

namespace velmora::app {
namespace {

// A report names this many failed entries at most, so that its box fits the screen.
constexpr std::size_t kFailuresShown = 15;

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
          {"FormRestore->StringCantDelete", &StringCantDelete}};
}

void TFormRestore::refresh() {
  const std::vector<std::string> folders = backupFolders ? backupFolders() : std::vector<std::string>{};
  listed_ = registry::listBackups(services_, folders, formats);
  ListViewBackups.clear();
  for (const registry::BackupListing& backup : listed_) {
    const std::string page = backup.kind.empty() || !pageCaption ? "?" : pageCaption(backup.kind);
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

bool TFormRestore::ask(const std::string& question, const registry::BackupListing& backup) {
  return application().messageBox({question + "\n\n" + backup.name, messages_["StringConfirmation"],
                                   widgets::MessageButtons::YesNo, widgets::MessageIcon::None}) ==
         widgets::MessageAnswer::Yes;
}

void TFormRestore::tell(const std::string& text, widgets::MessageIcon icon) {
  application().messageBox({text, application().title(), widgets::MessageButtons::Ok, icon});
}

std::string TFormRestore::restoreReport(const registry::BackupRestore& result) const {
  std::string report = StringRestored + std::to_string(result.restoredCount);
  if (result.failures.empty()) return report;
  report += "\n\n" + StringNotRestored;
  for (std::size_t i = 0; i < result.failures.size() && i < kFailuresShown; ++i) {
    const registry::RestoreFailure& failure = result.failures[i];
    report += "\n" + failure.entry + " (";
    if (failure.status == platform::ERROR_ACCESS_DENIED)
      report += StringAccessRefused;
    else if (failure.status == platform::ERROR_FILE_EXISTS)
      report += StringFileExists;
    else
      report += "error " + std::to_string(failure.status);
    report += ")";
  }
  if (result.failures.size() > kFailuresShown) report += "\n...";
  return report;
}

void TFormRestore::ButtonRestoreClick() {
  const registry::BackupListing* chosen = selected();
  if (!chosen) return;
  const registry::BackupListing backup = *chosen;
  if (!ask(StringRestoreQuestion, backup)) return;
  const registry::BackupRestore result = backup.format->restore(services_, backup.path);
  if (!result.readable) {
    tell(StringDamaged, widgets::MessageIcon::Error);
    return;
  }
  tell(restoreReport(result),
       result.failures.empty() ? widgets::MessageIcon::Information : widgets::MessageIcon::Warning);
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
