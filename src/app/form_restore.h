#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/message_texts.h"
#include "managers/restore_places.h"
#include "managers/startup_file_format.h"
#include "platform/services.h"
#include "registry/backup_files.h"
#include "widgets/buttons.h"
#include "widgets/dialog_service.h"
#include "widgets/form.h"
#include "widgets/list_view.h"

namespace velmora::app {

// The Restore window: every backup the pages wrote before deleting, newest first,
// with the page that wrote it and the entries it holds. Restore puts the chosen
// backup back exactly, with the program's own reader; Delete removes its files.
class TFormRestore : public widgets::Form {
 public:
  // services and messages must outlive the window.
  TFormRestore(widgets::Application& app, platform::Services& services, const MessageTexts& messages);

  // Call points set by whoever creates the window: the folders backups are kept
  // in, and the caption of the page a kind of backup comes from ("registry",
  // "startup", "uninstall").
  std::function<std::vector<std::string>()> backupFolders;
  std::function<std::string(std::string_view kind)> pageCaption;
  // Saves what a restore is about to replace, as a backup of the given page's
  // (listed here like the others, so that a restore can be undone in turn).
  std::function<platform::WrittenFile(const registry::RegFileExport& replaced, std::string_view page)>
      saveReplaced;
  // The kinds of backup file the window knows, each restoring only into the
  // places its page deletes from.
  std::vector<registry::BackupFormat> formats{registry::regFileFormat(managers::pageDeletesFrom),
                                              managers::startupFileFormat()};

  widgets::ListView ListViewBackups{*this, "ListViewBackups"};
  widgets::Button ButtonRestore{*this, "ButtonRestore", "Restore"};
  widgets::Button ButtonDelete{*this, "ButtonDelete", "Delete"};
  widgets::Button ButtonClose{*this, "ButtonClose", "Close"};

  // The window's own message texts, replaced by the language file.
  std::string StringRestoreQuestion = "Put back every key and value this backup holds?";
  std::string StringDeleteQuestion = "Delete this backup file?";
  std::string StringRestored = "Entries restored: ";
  std::string StringNotRestored = "Could not be restored:";
  std::string StringAccessRefused = "access refused";
  std::string StringFileExists = "a file is there now";
  std::string StringDamaged =
      "This backup is damaged or was not written by this program; nothing was restored.";
  std::string StringCantDelete = "The backup file could not be deleted.";
  std::string StringForeign =
      "This backup names keys or files outside the places its page cleans. Nothing was restored.";
  std::string StringChangedQuestion =
      "These entries hold other data now than in the backup. Replace them with the backup's data? What they "
      "hold now is saved in a new backup first.";
  std::string StringMore = "and %d more";
  std::string StringUnchanged = "Already as in the backup: ";
  std::string StringChanged = "holds other data now, left as it is";
  std::string StringFileNotRestored = "its file was not restored";
  std::string StringFolderIsLink = "the Startup folder is a link; nothing was restored";
  std::string StringReplacedSaved = "What was replaced is saved in: ";
  std::string StringReplacedNotSaved = "Nothing was replaced: what is there now could not be saved first: ";

  // The language keys of the texts above ("FormRestore->StringRestored") with
  // where each text lives, for the language loader.
  std::vector<std::pair<std::string, std::string*>> languageTexts();

  // The backups as listed, in row order.
  const std::vector<registry::BackupListing>& listed() const { return listed_; }
  // Lists the backups again.
  void refresh();

 private:
  void ButtonRestoreClick();
  void ButtonDeleteClick();
  const registry::BackupListing* selected() const;
  bool ask(const std::string& question, const registry::BackupListing& backup);
  bool askRestore(const registry::BackupListing& backup);
  bool askReplace(const std::vector<std::string>& changed);
  std::string pageOf(const registry::BackupListing& backup) const;
  std::string failureText(const registry::RestoreFailure& failure) const;
  void tell(const std::string& text, widgets::MessageIcon icon);
  std::string restoreReport(const registry::BackupRestore& result) const;

  platform::Services& services_;
  const MessageTexts& messages_;
  std::vector<registry::BackupListing> listed_;
};

}  // namespace velmora::app
