#pragma once

#include <array>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/message_texts.h"
#include "app/search_worker.h"
#include "app/worker_deletion.h"
#include "platform/services.h"
#include "registry/problem_categories.h"
#include "widgets/application.h"
#include "widgets/buttons.h"
#include "widgets/edits.h"
#include "widgets/indicators.h"
#include "widgets/list_view.h"

namespace velmora::app {

// The language keys of the eight problem categories, in category order: the
// captions of the category list and the "Problem" text of each result row.
inline constexpr std::array<std::string_view, registry::kProblemCategoryCount> kProblemTextKeys = {
    "StringMissingDlls", "StringUnusedExt", "StringActiveX",  "StringHelpFile",
    "StringInstall",     "StringUninstall", "StringObsolete", "StringMuiCache"};

// The controls of the Registry page.
struct RegistryPageControls {
  widgets::ListView& types;        // ListViewTypesReg
  widgets::ListView& results;      // ListViewReg
  widgets::Button& search;         // ButtonSearchReg
  widgets::Edit& workingOn;        // EditSearchReg
  widgets::ProgressBar& progress;  // pbReg
  widgets::StatusBar& status;      // StatusBar1
};

// The Registry page: the registry problem scan with Search and Stop, the result
// list and its deletion. Everything here runs on the UI thread; the scan and the
// deletion run on a Search worker and reach the controls only through tasks
// posted to the UI thread.
class RegistryPage {
 public:
  // programFolder ends with a backslash; the backups go below it.
  RegistryPage(widgets::Application& app, platform::Services& services, RegistryPageControls controls,
               const MessageTexts& messages, std::function<void()> showScanStatus, std::string programFolder);

  // Scan state that the status line and the page control read.
  bool scanRunning() const { return scanRunning_; }
  // A deletion runs on the page's worker; Search is its Stop meanwhile.
  bool deletionRunning() const { return deletion_.running(); }
  int problemCount() const { return problemCount_; }
  // "Problems found: 3"
  std::string statusSummary() const;

  // ButtonSearchRegClick: starts a scan, or stops the running scan or deletion.
  void searchClick();
  // Stops a running scan without touching the page, as the program closes. A
  // running deletion ends with the entry under way, which this waits for (at most
  // a minute), so that no backup is cut off halfway.
  void stopScan() {
    if (worker_) deletion_.stopForClose(*worker_);
  }
  // The Registry end-of-scan restoration.
  void restoreIdle();
  // ButtonDeleteRegClick: deletes the checked entries on the page's worker, after
  // writing them into a backup file.
  void deleteClick();

  // Whether the last worker, running or stopped, has ended. Never wait for it on
  // the UI thread: it may be waiting for the UI thread to drop its last task.
  bool workerFinished() const { return !worker_ || worker_->finished(); }

  // The local time a backup file is named for; the clock's, unless a test sets it.
  std::function<std::tm()> localTime;

 private:
  friend class RegistryScanUpdates;
  // What the scan's updates do on the UI thread.
  void showProblems(const std::vector<registry::ProblemRow>& rows);
  void showProgress(int categoriesDone);
  // While a deletion runs: the scan's count on the status line, then the entries
  // deleted so far and the number to delete; the bar moves through the reading of
  // the backup and then through the deletion.
  void showDeleting(int read, int deleted, int total);

  widgets::Application& app_;
  platform::Services& services_;
  RegistryPageControls controls_;
  const MessageTexts& messages_;
  std::function<void()> showScanStatus_;
  std::string programFolder_;

  bool scanRunning_ = false;
  int problemCount_ = 0;
  // Every problem the last scan listed, in listing order; each result row's data is
  // its index here, so deletion reads what a row stands for from the scan itself.
  std::vector<registry::ProblemRow> problems_;
  WorkerDeletion deletion_;
  std::shared_ptr<Search> worker_;
};

}  // namespace velmora::app
