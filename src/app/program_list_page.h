#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/message_texts.h"
#include "app/search_worker.h"
#include "managers/program_sources.h"
#include "managers/startup_list.h"
#include "managers/uninstall_list.h"
#include "platform/services.h"
#include "widgets/application.h"
#include "widgets/buttons.h"
#include "widgets/indicators.h"
#include "widgets/list_view.h"

namespace velmora::app {

// What tells the Startup and Uninstall pages apart in the work they share.
template <typename Entry>
struct ProgramListKind {
  // Lists the page's entries on the worker.
  void (*build)(platform::Services&, managers::ListingView<Entry>&);
  // The message keys of Delete's question and of its failure.
  std::string_view deleteQuestionKey;
  std::string_view cantDeleteKey;
  // What the page's backups are named by ("startup-20250102-000000.reg").
  std::string_view backupKind;
};

// A page that lists programs from the registry (Startup, Uninstall): Search lists
// them on a Search worker, rows reaching the list in batches, one listing at a
// time; every row keeps exactly where it came from, and Delete removes that, after
// asking and after writing a backup. Everything here runs on the UI thread.
template <typename Entry>
class ProgramListPage {
 public:
  // programFolder ends with a backslash; the backups go below it.
  ProgramListPage(widgets::Application& app, platform::Services& services, widgets::ListView& list,
                  widgets::StatusBar& status, const MessageTexts& messages,
                  std::function<void()> showScanStatus, std::string programFolder,
                  ProgramListKind<Entry> kind);
  virtual ~ProgramListPage() = default;
  ProgramListPage(const ProgramListPage&) = delete;
  ProgramListPage& operator=(const ProgramListPage&) = delete;

  // Rows listed since the last Search; a deletion does not lower it.
  int entryCount() const { return entryCount_; }
  // "Found: 3"
  std::string statusSummary() const;
  bool building() const { return building_; }

  // The page's Search button: starts a listing, unless one is running.
  void searchClick();
  // Stops a running listing without touching the page, as the program closes.
  void stopBuild() {
    if (worker_) worker_->stop();
  }
  // The page's Delete button: removes the selected row's entry after asking.
  void deleteClick();

  // The entry a row shows, with where it came from; null for a row the page did
  // not list.
  const Entry* entryAt(int row) const;

  // Whether the last worker, running or stopped, has ended. Never wait for it on
  // the UI thread: it may be waiting for the UI thread to drop its last task.
  bool workerFinished() const { return !worker_ || worker_->finished(); }

  // The local time a backup file is named for; the clock's, unless a test sets it.
  std::function<std::tm()> localTime;

 protected:
  widgets::Application& app_;
  platform::Services& services_;
  widgets::ListView& list_;
  const MessageTexts& messages_;

  // A message box with the application's title and an OK button.
  void tell(const std::string& text, widgets::MessageIcon icon = widgets::MessageIcon::None);

  // The cells of a row, in column order, in the current language.
  virtual std::vector<std::string> cellsOf(const Entry& entry) const = 0;
  // Removes the entry after backing it up; Delete has asked already.
  virtual managers::EntryRemoval remove(const Entry& entry);
  // A listing has emptied the list to fill it again.
  virtual void listingStarted() {}
  // Rows were added or removed.
  virtual void rowsChanged() {}

  std::vector<Entry>& entries() { return entries_; }
  const std::string& programFolder() const { return programFolder_; }

 private:
  template <typename>
  friend class ListingUpdates;
  // What the listing's updates do on the UI thread.
  void clearEntries();
  void showEntries(std::vector<Entry> entries);

  widgets::StatusBar& status_;
  std::function<void()> showScanStatus_;
  std::string programFolder_;
  ProgramListKind<Entry> kind_;

  bool building_ = false;
  int entryCount_ = 0;
  // The entry of each row, in row order.
  std::vector<Entry> entries_;
  std::shared_ptr<Search> worker_;
};

// The Startup page, which also switches an entry off and on the way Windows does.
class StartupPage final : public ProgramListPage<managers::StartupEntry> {
 public:
  // disableButton is the page's Disable/Enable button.
  StartupPage(widgets::Application& app, platform::Services& services, widgets::ListView& list,
              widgets::StatusBar& status, const MessageTexts& messages, std::function<void()> showScanStatus,
              std::string programFolder, widgets::Button& disableButton);

  // The columns of the list.
  enum Column { programs, file, status, rootKey, registryKey, columnCount };

  // ListViewStartupSelectItem: the Disable button follows the selected row.
  void selectItem();
  // ButtonDisableStartupClick: disables the selected entry, or enables it when it
  // is disabled; its row shows the new state at once. A failure changes nothing
  // and says so.
  void disableClick();
  // Shows the page's texts in the current language: the state and source of every
  // row and the Disable button's caption.
  void refreshTexts();

  // The time a disabling is stamped with; the clock's, unless a test sets it.
  std::function<std::uint64_t()> fileTime;

 protected:
  std::vector<std::string> cellsOf(const managers::StartupEntry& entry) const override;
  managers::EntryRemoval remove(const managers::StartupEntry& entry) override;
  void rowsChanged() override { selectItem(); }

 private:
  widgets::Button& disableButton_;
};

// The Uninstall page, which also starts a program's own uninstaller.
class UninstallPage final : public ProgramListPage<managers::UninstallEntry> {
 public:
  UninstallPage(widgets::Application& app, platform::Services& services, widgets::ListView& list,
                widgets::StatusBar& status, const MessageTexts& messages,
                std::function<void()> showScanStatus, std::string programFolder);

  // ListViewUninstallSelectItem: the selected program's uninstall command, read
  // from its own key.
  void selectItem(int row);
  // ButtonUninstallClick: starts the command of the program selected last, even
  // when its row has gone since; a command that cannot start safely is refused
  // with a message.
  void uninstallClick();

  // The "UninstallString" of the program selected last, exactly as stored; empty
  // after a selection that failed and once a new listing starts.
  const std::string& selectedUninstallCommand() const { return selectedUninstallCommand_; }

 protected:
  std::vector<std::string> cellsOf(const managers::UninstallEntry& entry) const override;
  void listingStarted() override {
    selectedUninstallCommand_.clear();
    selectedCommandExpands_ = false;
  }

 private:
  std::string selectedUninstallCommand_;
  bool selectedCommandExpands_ = false;
};

}  // namespace velmora::app
