#include "app/files_page.h"

#include <algorithm>
#include <atomic>
#include <chrono>

#include "app/row_batches.h"
#include "common/text_lines.h"
#include "junk/drive_info_text.h"
#include "junk/exclusions.h"
#include "junk/file_deletion.h"
#include "platform/system_info.h"

namespace velmora::app {

void ScanChoicesBox::publish(std::shared_ptr<const junk::JunkScanChoices> choices) {
  std::lock_guard lock(mutex_);
  choices_ = std::move(choices);
}

std::shared_ptr<const junk::JunkScanChoices> ScanChoicesBox::latest() const {
  std::lock_guard lock(mutex_);
  return choices_;
}

namespace {

// What the scan does to the Files page, handed to the UI thread in order. Every
// task goes through the worker's channel, so a stopped scan changes nothing.
//
// A drive holds millions of files and a scan may list tens of thousands: rows go
// in batches (see RowBatches), and the examined file and the bar's position are
// shown at most every 50 ms, which is all anyone can read. What is shown at the
// end of each root is exact.
class PageScanView final : public junk::JunkScanView {
 public:
  using ShowDriveRead = std::function<void(const std::string& root, bool fromFileTable)>;
  using ShowLeftOpen = std::function<void(std::vector<std::string>)>;
  using KeepListed = std::function<void(std::vector<junk::BrowserCacheSet>)>;

  PageScanView(const widgets::UiChannel& ui, std::shared_ptr<ScanChoicesBox> choices,
               RowBatches<junk::FoundFile>::Show showFound, ShowDriveRead showDriveRead,
               ShowLeftOpen showLeftOpen, KeepListed keepListed, FilesPageControls controls)
      : ui_(ui),
        choices_(std::move(choices)),
        rows_(ui, std::move(showFound)),
        showDriveRead_(std::move(showDriveRead)),
        showLeftOpen_(std::move(showLeftOpen)),
        keepListed_(std::move(keepListed)),
        controls_(controls) {}

  std::shared_ptr<const junk::JunkScanChoices> choices() override { return choices_->latest(); }
  bool stopRequested() override { return ui_.stopRequested(); }

  void clearResults() override {
    ui_.post([results = &controls_.results] { results->clear(); });
  }

  void showWalking(const std::string& text) override {
    ui_.post([edit = &controls_.workingOn, text] { edit->setText(text); });
    examinedChanged_ = false;
    lastRefresh_ = Clock::now();
  }

  void showExamining(std::string_view path) override {
    examined_.assign(path);
    examinedChanged_ = true;
    rows_.sendIfDue();
    refreshIfDue();
  }

  void listFile(junk::FoundFile file) override { rows_.add(std::move(file)); }

  void showDriveRead(const std::string& root, bool fromFileTable) override {
    ui_.post([show = showDriveRead_, root, fromFileTable] { show(root, fromFileTable); });
  }

  void setProgress(int percent) override {
    percent_ = percent;
    refreshIfDue();
  }

  void rootDone() override {
    rows_.send();
    refresh();
  }

  void browsersLeftOpen(std::vector<std::string> names) override {
    ui_.post([show = showLeftOpen_, names = std::move(names)]() mutable { show(std::move(names)); });
  }

  void browsersListed(std::vector<junk::BrowserCacheSet> browsers) override {
    ui_.post([keep = keepListed_, browsers = std::move(browsers)]() mutable { keep(std::move(browsers)); });
  }

 private:
  using Clock = std::chrono::steady_clock;

  void refreshIfDue() {
    if (Clock::now() - lastRefresh_ >= std::chrono::milliseconds(50)) refresh();
  }

  // Shows the examined file and the bar's position, each only when it changed
  // since it was last shown.
  void refresh() {
    lastRefresh_ = Clock::now();
    std::optional<std::string> text;
    if (examinedChanged_) text = examined_;
    std::optional<int> percent;
    if (percent_ != shownPercent_) percent = percent_;
    examinedChanged_ = false;
    shownPercent_ = percent_;
    if (!text && !percent) return;
    ui_.post([controls = controls_, text = std::move(text), percent] {
      if (percent) controls.progress.setPosition(*percent);
      if (text) controls.workingOn.setText(*text);
    });
  }

  widgets::UiChannel ui_;
  std::shared_ptr<ScanChoicesBox> choices_;
  RowBatches<junk::FoundFile> rows_;
  ShowDriveRead showDriveRead_;
  ShowLeftOpen showLeftOpen_;
  KeepListed keepListed_;
  FilesPageControls controls_;
  Clock::time_point lastRefresh_{};
  std::string examined_;
  bool examinedChanged_ = false;
  int percent_ = -1;
  int shownPercent_ = -1;
};

}  // namespace

FilesPage::FilesPage(widgets::Application& app, platform::Services& services, FilesPageControls controls,
                     const MessageTexts& messages, std::function<void()> showScanStatus)
    : app_(app),
      services_(services),
      controls_(controls),
      messages_(messages),
      showScanStatus_(std::move(showScanStatus)) {
  auto republish = [this](int) { publishChoices(); };
  controls_.types.onItemChecked = republish;
  controls_.drives.onItemChecked = republish;
  controls_.catalogue.onItemChecked = republish;
  controls_.exclusions.onChange = [this] { publishChoices(); };
}

namespace {

// An amount found, as the type list shows it: whole megabytes with the user's
// thousands separator ("1,204 MB"), and kilobytes, rounded up, for less than one
// megabyte, so that a category that found a little never reads as empty.
std::string foundAmountText(std::uint64_t bytes, std::string_view separator) {
  constexpr std::uint64_t kKilobyte = 1024;
  constexpr std::uint64_t kMegabyte = 1024 * kKilobyte;
  if (bytes == 0) return "0 MB";
  if (bytes < kMegabyte) return std::to_string((bytes + kKilobyte - 1) / kKilobyte) + " KB";
  return junk::formatThousands(static_cast<std::int64_t>((bytes + kMegabyte / 2) / kMegabyte), separator) +
         " MB";
}

}  // namespace

std::string FilesPage::statusSummary() const {
  std::string summary = messages_["StringFoundFiles"] + std::to_string(foundCount_) + " " +
                        messages_["StringTotalSpace"] + std::to_string(totalBytes_ / 1024) + " Kb.";
  for (const auto& [root, fromFileTable] : driveReads_)
    summary += " " + root + " " + messages_[fromFileTable ? "StringReadFromFileTable" : "StringWalked"];
  if (!browsersLeftOpen_.empty())
    summary += " " + messages_["StringBrowsersOpen"] + text::joinWith(browsersLeftOpen_, ", ");
  return summary;
}

void FilesPage::showFoundByCategory() {
  const std::string separator = services_.system.thousandsSeparator();
  for (int row = 0; row < junk::kJunkCategoryCount && row < controls_.types.count(); ++row) {
    const auto& found = foundByCategory_[static_cast<std::size_t>(row)];
    const std::string text = found ? foundAmountText(*found, separator) : std::string();
    if (controls_.types.cell(row, 1) != text) controls_.types.setCell(row, 1, text);
  }
}

void FilesPage::scanFinished() {
  restoreIdle();
  showFoundByCategory();
  showScanStatus_();
}

junk::DriveInfoTexts FilesPage::driveInfoTexts() const {
  return {messages_["StringDrive"],      messages_["StringDriveLabel"],     messages_["StringDriveNumber"],
          messages_["StringFileSystem"], messages_["StringDiskSpaceTotal"], messages_["StringDiskSpaceFree"]};
}

void FilesPage::buildDriveList() {
  driveLetters_ = junk::buildDriveLetters(services_.drives);
  widgets::ListView& list = controls_.drives;
  list.clear();
  if (driveLetters_.empty()) return;
  const std::string separator = services_.system.thousandsSeparator();
  for (std::size_t j = 0; j < driveLetters_.size(); ++j) {
    // A drive whose space cannot be read shows the figures computed before it.
    if (auto info =
            junk::computeDriveInformation(services_.drives, driveLetters_[j], driveInfoTexts(), separator))
      driveInfo_ = std::move(info);
    const std::string caption = std::string(1, driveLetters_[j]) + ":\\";
    list.addRow({caption, driveInfo_ ? driveInfo_->formattedTotal : std::string()}, j == 0);
  }
  if (restored_.remembered) {
    for (std::size_t j = 0; j < driveLetters_.size(); ++j)
      list.setChecked(static_cast<int>(j), restored_.drives.find(driveLetters_[j]) != std::string::npos);
    absentDrives_.clear();
    for (char letter : restored_.drives)
      if (std::find(driveLetters_.begin(), driveLetters_.end(), letter) == driveLetters_.end())
        absentDrives_ += letter;
  }
  list.setSelectedIndex(0);
  list.setFocusedIndex(0);
  // Selecting from code fires no event: show the first drive's information here.
  driveSelected(0);
  publishChoices();
}

void FilesPage::restoreChoices(const settings::FilesChoices& choices) {
  restored_ = choices;
  if (!choices.remembered) return;
  absentDrives_ = choices.drives;
  for (int row = 0; row < junk::kJunkCategoryCount && row < controls_.types.count(); ++row)
    controls_.types.setChecked(row, choices.categories[static_cast<std::size_t>(row)]);
  publishChoices();
}

settings::FilesChoices FilesPage::rememberedChoices() const {
  settings::FilesChoices choices;
  choices.remembered = true;
  for (int row = 0; row < junk::kJunkCategoryCount && row < controls_.types.count(); ++row)
    choices.categories[static_cast<std::size_t>(row)] = controls_.types.checked(row);
  std::string letters = absentDrives_;
  for (int row = 0; row < controls_.drives.count() && static_cast<std::size_t>(row) < driveLetters_.size();
       ++row)
    if (controls_.drives.checked(row)) letters += driveLetters_[static_cast<std::size_t>(row)];
  std::sort(letters.begin(), letters.end());
  choices.drives = letters;
  // A present drive is remembered with the volume it holds now; an absent one
  // keeps the volume it was remembered with.
  for (char letter : letters) {
    if (absentDrives_.find(letter) != std::string::npos) {
      if (const auto kept = restored_.serials.find(letter); kept != restored_.serials.end())
        choices.serials.insert(*kept);
    } else if (const auto volume = services_.drives.getVolumeInformation(std::string{letter, ':', '\\'})) {
      choices.serials[letter] = volume->serialNumber;
    }
  }
  return choices;
}

void FilesPage::driveSelected(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= driveLetters_.size()) return;
  selectedDrive_ = row;
  refreshDriveInfo();
}

void FilesPage::refreshDriveInfo() {
  if (driveLetters_.empty()) return;
  auto info =
      junk::computeDriveInformation(services_.drives, driveLetters_[static_cast<std::size_t>(selectedDrive_)],
                                    driveInfoTexts(), services_.system.thousandsSeparator());
  // When the space cannot be read the label keeps what it showed.
  if (!info) return;
  driveInfo_ = std::move(info);
  controls_.driveInfo.setCaption(driveInfo_->text);
}

void FilesPage::publishChoices() {
  auto choices = std::make_shared<junk::JunkScanChoices>();
  for (int row = 0; row < junk::kJunkCategoryCount && row < controls_.types.count(); ++row)
    choices->categories[static_cast<std::size_t>(row)] = controls_.types.checked(row);
  for (int row = 0; row < controls_.drives.count() && static_cast<std::size_t>(row) < driveLetters_.size();
       ++row)
    if (controls_.drives.checked(row))
      choices->checkedDrives.push_back(driveLetters_[static_cast<std::size_t>(row)]);
  for (int row = 0; row < controls_.catalogue.count(); ++row)
    if (controls_.catalogue.checked(row))
      choices->checkedPatterns.push_back(controls_.catalogue.rowCaption(row));
  choices->exclusionLines = junk::expandedExclusionLines(controls_.exclusions.lines(), services_.system);
  choices->readingStructureText = messages_["StringReadingStructure"];
  choices_->publish(std::move(choices));
}

void FilesPage::searchClick(const std::string& profileFolder) {
  // During a deletion the button is its Stop: the run ends after the batch under
  // way, and its end shows what went.
  if (deletion_.running()) {
    deletion_.stop();
    return;
  }
  if (!scanRunning_ && !unreadableExclusions_.empty()) {
    app_.messageBox({"Cannot open file " + unreadableExclusions_, app_.title(), widgets::MessageButtons::Ok,
                     widgets::MessageIcon::Error});
    return;
  }
  // The user learns which lines keep nothing out before the scan lists what lies
  // in the folders they meant, and may go on.
  if (!scanRunning_) warnOfLinesNamingNoFolder();
  scanRunning_ = !scanRunning_;
  if (!scanRunning_) {
    // Stop: the page is idle at once; the rows found so far stay.
    if (worker_) worker_->stop();
    restoreIdle();
    return;
  }
  controls_.status.setSimpleText("");
  controls_.search.setCaption(messages_["StringStop"]);
  foundCount_ = 0;
  totalBytes_ = 0;
  driveReads_.clear();
  browsersLeftOpen_.clear();
  browsersListed_.clear();
  publishChoices();
  // The figures of the last scan go; a category shows its own once it finds
  // something, and every checked one at the end.
  const auto checked = choices_->latest()->categories;
  for (std::size_t row = 0; row < foundByCategory_.size(); ++row) foundByCategory_[row].reset();
  showFoundByCategory();

  // A batch of rows, on the UI thread: the status line is refreshed once for it.
  auto showFound = [this](std::vector<junk::FoundFile> files) {
    for (const junk::FoundFile& file : files) {
      ++foundCount_;
      totalBytes_ += static_cast<std::int64_t>(file.sizeBytes);
      auto& inCategory = foundByCategory_[static_cast<std::size_t>(file.category)];
      inCategory = inCategory.value_or(0) + file.sizeBytes;
      controls_.results.addRow({file.path, std::to_string(file.sizeBytes / 1024)}, true,
                               file.imageIndex.value_or(-1));
    }
    showFoundByCategory();
    showScanStatus_();
  };
  // A drive read by two categories is named once, as the later one read it. The
  // status line shows it from its next refresh: the drive's first listed file, or
  // the end of the scan.
  auto showDriveRead = [this](const std::string& root, bool fromFileTable) {
    auto known = std::find_if(driveReads_.begin(), driveReads_.end(),
                              [&](const auto& read) { return read.first == root; });
    if (known == driveReads_.end())
      driveReads_.emplace_back(root, fromFileTable);
    else
      known->second = fromFileTable;
  };
  auto showLeftOpen = [this](std::vector<std::string> names) { browsersLeftOpen_ = std::move(names); };
  auto keepListed = [this](std::vector<junk::BrowserCacheSet> browsers) {
    browsersListed_ = std::move(browsers);
  };
  platform::Services& services = services_;
  auto choices = choices_;
  FilesPageControls controls = controls_;
  worker_ = Search::start(
      app_,
      [&services, choices, showFound, showDriveRead, showLeftOpen, keepListed, controls,
       profileFolder](const widgets::UiChannel& ui) {
        PageScanView view(ui, choices, showFound, showDriveRead, showLeftOpen, keepListed, controls);
        junk::JunkScan(services, profileFolder).run(view);
      },
      [this, checked] {
        for (std::size_t row = 0; row < foundByCategory_.size(); ++row)
          if (checked[row] && !foundByCategory_[row]) foundByCategory_[row] = 0;
        scanFinished();
      });
}

bool FilesPage::warnOfLinesNamingNoFolder() {
  const std::vector<std::string> none =
      junk::linesNamingNoFolder(controls_.exclusions.lines(), services_.system);
  if (none.empty()) return false;
  app_.messageBox({messages_["StringExclusionsNoFolder"] + "\r\n\r\n" + text::joinLinesCrLf(none),
                   app_.title(), widgets::MessageButtons::Ok, widgets::MessageIcon::Warning});
  return true;
}

void FilesPage::stopScan() {
  if (worker_) deletion_.stopForClose(*worker_);
}

void FilesPage::restoreIdle() {
  scanRunning_ = false;
  controls_.progress.setPosition(0);
  controls_.search.setCaption(messages_["StringSearch"]);
  controls_.workingOn.setText("");
}

void FilesPage::showDeleted(const junk::DeletionResult& result) {
  std::string text =
      result.toRecycleBin
          ? junk::recyclingStatusText(
                {messages_["StringFilesRecycled"], messages_["StringTotalSpace"], messages_["StringFilesDeleted"],
                 messages_["StringSpaceCleared"], messages_["StringKeptOutOfBin"]},
                result)
          : junk::deletionStatusText(messages_["StringFilesDeleted"], messages_["StringSpaceCleared"], result);
  if (!result.browsersOpened.empty())
    text += "\n" + messages_["StringBrowsersOpened"] + text::joinWith(result.browsersOpened, ", ");
  controls_.status.setSimpleText(text);
}

void FilesPage::deleteClick(bool toRecycleBin) {
  // One deletion at a time; the Search button is its Stop.
  if (deletion_.running()) return;
  // A scan would add rows under the deletion: it stops, and the rows it listed
  // so far are what the deletion takes.
  if (scanRunning_) {
    if (worker_) worker_->stop();
    restoreIdle();
  }
  const std::vector<junk::CheckedFile> checked = junk::checkedFiles(controls_.results);
  junk::RecycleBinRoute route{services_.drives, services_.shell};
  route.whenBinFull = [this](const std::vector<std::string>& driveRoots) {
    std::string text = messages_["StringBinFull"] + "\n";
    for (const std::string& root : driveRoots) text.append("\n").append(root);
    return app_.messageBox({text, messages_["StringConfirmation"], widgets::MessageButtons::YesNo,
                            widgets::MessageIcon::Warning}) == widgets::MessageAnswer::Yes
               ? junk::BinFullChoice::deleteForGood
               : junk::BinFullChoice::cancel;
  };
  // The question about full bins comes first, here: the user answers it before
  // anything goes. Cancelled, nothing changes.
  if (toRecycleBin && !junk::prepareRecycling(services_.files, route, junk::pathsOf(checked))) return;
  route.whenBinFull = {};

  // The files go on a worker, in batches, while the window stays painted and the
  // status line counts; nothing adds or removes a row meanwhile (Search is Stop,
  // and the page stays). The rows of the files that went are removed in one pass
  // at the end, also after Stop, which ends the run between two batches: the
  // files not yet reached keep their rows as they were.
  controls_.search.setCaption(messages_["StringStop"]);
  junk::DeletionResult none;
  none.toRecycleBin = toRecycleBin;
  showDeleted(none);
  auto run = std::make_shared<junk::DeletionRun>();
  platform::FileSystem& files = services_.files;
  worker_ = deletion_.start(
      app_,
      [&files, checked, route, toRecycleBin, run, browsersListed = browsersListed_, this](
          const widgets::UiChannel& ui, const std::function<bool()>& stopRequested) {
        // A browser started since the search keeps its files, however long ago that was.
        junk::OpenedBrowsers browsers(files, browsersListed);
        *run = junk::deleteFiles(
            files, checked, toRecycleBin ? &route : nullptr,
            [&ui, this](const junk::DeletionResult& soFar) {
              ui.post([this, soFar] { showDeleted(soFar); });
            },
            stopRequested, &browsers);
      },
      [this, run] {
        controls_.results.removeRows(std::move(run->goneRows));
        showDeleted(run->result);
        restoreIdle();
      });
}

void FilesPage::typesCheckAllClick() {
  controls_.types.checkAll();
  publishChoices();
}

void FilesPage::typesUncheckAllClick() {
  controls_.types.uncheckAll();
  publishChoices();
}

}  // namespace velmora::app
