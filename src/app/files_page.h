#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/message_texts.h"
#include "app/search_worker.h"
#include "app/worker_deletion.h"
#include "settings/settings.h"
#include "junk/drive_list.h"
#include "junk/file_deletion.h"
#include "junk/junk_scan.h"
#include "platform/services.h"
#include "widgets/application.h"
#include "widgets/buttons.h"
#include "widgets/edits.h"
#include "widgets/indicators.h"
#include "widgets/label.h"
#include "widgets/list_view.h"

namespace velmora::app {

// The controls of the Files page, with the Settings window's catalogue and
// exclusion controls that the scan reads.
struct FilesPageControls {
  widgets::ListView& types;        // ListViewTypesFiles
  widgets::ListView& drives;       // ListViewDrives
  widgets::Label& driveInfo;       // LabelDriveInfo
  widgets::ListView& results;      // ListViewFiles
  widgets::Button& search;         // ButtonSearchFiles
  widgets::Edit& workingOn;        // EditSearchFiles
  widgets::ProgressBar& progress;  // pbFiles
  widgets::StatusBar& status;      // StatusBar1
  widgets::ListView& catalogue;    // TFormSettings.ListViewJunk
  widgets::Memo& exclusions;       // TFormSettings.MemoExclusions
};

// The user's latest choices for the scan, published by the UI thread whenever
// they change and read by the scanning thread whenever it needs one.
class ScanChoicesBox {
 public:
  void publish(std::shared_ptr<const junk::JunkScanChoices> choices);
  std::shared_ptr<const junk::JunkScanChoices> latest() const;

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<const junk::JunkScanChoices> choices_ = std::make_shared<junk::JunkScanChoices>();
};

// The Files page: the drive list and its information, the junk-file scan with
// Search and Stop, the result list and deletion. Everything here runs on the UI
// thread; the scan runs on a Search worker and reaches the controls only through
// tasks posted to the UI thread.
class FilesPage {
 public:
  FilesPage(widgets::Application& app, platform::Services& services, FilesPageControls controls,
            const MessageTexts& messages, std::function<void()> showScanStatus);

  // Scan state that the status line and the page control read.
  bool scanRunning() const { return scanRunning_; }
  // A deletion runs on the page's worker; Search is its Stop meanwhile.
  bool deletionRunning() const { return deletion_.running(); }
  int foundCount() const { return foundCount_; }
  std::int64_t totalBytes() const { return totalBytes_; }
  // "Found: 12 Total size: 345 Kb.", followed, when the scan passed over the
  // caches of running browsers, by the text naming them.
  std::string statusSummary() const;

  // The choices an earlier run left: the categories at once, the drives when the
  // drive list is built. Without them the page starts with every category and
  // the first drive checked.
  void restoreChoices(const settings::FilesChoices& choices);
  // The checked categories and drives, to be remembered. A remembered drive that
  // is not listed in this run stays remembered, so that a stick left out one day
  // is still cleaned the next.
  settings::FilesChoices rememberedChoices() const;

  // The drive list, built once when the main window is first shown.
  void buildDriveList();
  // ListViewDrivesSelectItem.
  void driveSelected(int row);
  // After a change of language: the selected drive's information in the new texts.
  void refreshDriveInfo();

  // ButtonSearchFilesClick: starts a scan, or stops the running scan or deletion.
  void searchClick(const std::string& profileFolder);
  // Stops a running scan without touching the page, as the program closes. A
  // running deletion ends with the batch under way, which this waits for (at most
  // a minute): a process that ends while the shell moves a file into the Recycle
  // Bin can leave the file there without the record that lets the user restore it.
  void stopScan();
  // The Files end-of-scan restoration.
  void restoreIdle();
  // ButtonDeleteFilesClick: deletes the checked files, or moves them to the
  // Recycle Bin when the user chose so, on the page's worker.
  void deleteClick(bool toRecycleBin);
  void checkAllClick() { controls_.results.checkAll(); }
  void uncheckAllClick() { controls_.results.uncheckAll(); }
  // ButtonTypesCheckClick, ButtonTypesUncheckClick.
  void typesCheckAllClick();
  void typesUncheckAllClick();

  // The path of an exclusion list that exists but could not be read at its last
  // loading, or empty. While it is set, Search names the file in a message and
  // scans nothing.
  void setUnreadableExclusions(std::string path) { unreadableExclusions_ = std::move(path); }

  // Shows the warning that lists the exclusion lines that name no folder, and so
  // protect nothing; false when there are none and nothing was shown. Search
  // shows it before it scans, and the Settings window when the list is saved.
  bool warnOfLinesNamingNoFolder();

  // Publishes the user's current choices for a running scan; called whenever a
  // category, drive, catalogue row or exclusion line changes.
  void publishChoices();

  // Whether the last worker, running or stopped, has ended. Never wait for it on
  // the UI thread: it may be waiting for the UI thread to drop its last task.
  bool workerFinished() const { return !worker_ || worker_->finished(); }

 private:
  junk::DriveInfoTexts driveInfoTexts() const;
  // The figures of a deletion, so far or at its end, on the status line.
  void showDeleted(const junk::DeletionResult& result);
  // What each checked category has found so far, in the type list's second
  // column; empty for the categories the scan does not look at.
  void showFoundByCategory();
  // The end of a scan that ran to its end: every checked category shows what it
  // found, nothing included, and the status line is written even when nothing was.
  void scanFinished();

  widgets::Application& app_;
  platform::Services& services_;
  FilesPageControls controls_;
  const MessageTexts& messages_;
  std::function<void()> showScanStatus_;
  std::shared_ptr<ScanChoicesBox> choices_ = std::make_shared<ScanChoicesBox>();

  std::vector<char> driveLetters_;
  settings::FilesChoices restored_;
  std::string absentDrives_;  // Remembered, but not listed in this run.
  int selectedDrive_ = 0;
  std::optional<junk::DriveInformation> driveInfo_;

  std::string unreadableExclusions_;
  bool scanRunning_ = false;
  int foundCount_ = 0;
  // How each drive root of this scan was read: from its file table, or walked.
  std::vector<std::pair<std::string, bool>> driveReads_;
  std::int64_t totalBytes_ = 0;
  // Bytes found per category in the last scan; nothing for a category it did not look at.
  std::array<std::optional<std::uint64_t>, junk::kJunkCategoryCount> foundByCategory_{};
  std::vector<std::string> browsersLeftOpen_;
  // The closed browsers whose caches the last scan listed, for a deletion to ask again.
  std::vector<junk::BrowserCacheSet> browsersListed_;
  WorkerDeletion deletion_;
  std::shared_ptr<Search> worker_;
};

}  // namespace velmora::app
