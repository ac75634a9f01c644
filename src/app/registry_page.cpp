#include "app/registry_page.h"

#include "app/row_batches.h"
#include "registry/problem_deletion.h"
#include "registry/problem_scan.h"
#include "registry/registry_backup.h"

namespace velmora::app {

// Every change the registry scan makes to the Registry page, handed to the UI
// thread through the worker's channel, so that a stopped scan changes nothing.
// Rows go in batches, and whatever is waiting goes when a category is done.
class RegistryScanUpdates final : public registry::ProblemScanView {
 public:
  RegistryScanUpdates(const widgets::UiChannel& ui, RegistryPage& page)
      : ui_(ui),
        page_(&page),
        rows_(ui, [page = &page](std::vector<registry::ProblemRow> rows) { page->showProblems(rows); }) {}

  // Read on the UI thread when the category's turn comes.
  bool categoryChecked(registry::ProblemCategory category) override {
    bool checked = false;
    ui_.invoke([page = page_, row = static_cast<int>(category), &checked] {
      checked = row < page->controls_.types.count() && page->controls_.types.checked(row);
    });
    return checked;
  }

  bool keepGoing() override {
    rows_.sendIfDue();
    return !ui_.stopRequested();
  }

  void clearResults() override {
    ui_.post([page = page_] {
      page->controls_.results.clear();
      page->problems_.clear();
      page->problemCount_ = 0;
    });
  }

  void listProblem(registry::ProblemRow row) override { rows_.add(std::move(row)); }

  void categoryDone(registry::ProblemCategory category) override {
    rows_.send();
    ui_.post([page = page_, index = static_cast<int>(category)] { page->showProgress(index); });
  }

 private:
  widgets::UiChannel ui_;
  RegistryPage* page_;
  RowBatches<registry::ProblemRow> rows_;
};

RegistryPage::RegistryPage(widgets::Application& app, platform::Services& services,
                           RegistryPageControls controls, const MessageTexts& messages,
                           std::function<void()> showScanStatus, std::string programFolder)
    : localTime(registry::currentLocalTime),
      app_(app),
      services_(services),
      controls_(controls),
      messages_(messages),
      showScanStatus_(std::move(showScanStatus)),
      programFolder_(std::move(programFolder)) {}

std::string RegistryPage::statusSummary() const {
  return messages_["StringFoundProblems"] + std::to_string(problemCount_);
}

void RegistryPage::searchClick() {
  // During a deletion the button is its Stop: the run ends after the entry under
  // way, and its end removes the rows of what went.
  if (deletion_.running()) {
    deletion_.stop();
    return;
  }
  scanRunning_ = !scanRunning_;
  if (!scanRunning_) {
    // Stop: the page is idle at once; the rows found so far stay.
    if (worker_) worker_->stop();
    restoreIdle();
    return;
  }
  controls_.status.setSimpleText("");
  controls_.search.setCaption(messages_["StringStop"]);
  platform::Services& services = services_;
  worker_ = Search::start(
      app_,
      [&services, this](const widgets::UiChannel& ui) {
        RegistryScanUpdates updates(ui, *this);
        registry::ProblemScan(services.registry, services.files, services.drives).run(updates);
      },
      [this] { restoreIdle(); });
}

void RegistryPage::restoreIdle() {
  scanRunning_ = false;
  controls_.progress.setPosition(0);
  controls_.search.setCaption(messages_["StringSearch"]);
  controls_.workingOn.setText("");
}

void RegistryPage::showProblems(const std::vector<registry::ProblemRow>& rows) {
  for (const registry::ProblemRow& row : rows) {
    const std::string& problem = messages_[kProblemTextKeys[static_cast<std::size_t>(row.category)]];
    const int added = controls_.results.addRow({problem, row.entry, row.rootText, row.registryKey}, true);
    controls_.results.setRowData(added, static_cast<std::uint32_t>(problems_.size()));
    problems_.push_back(row);
    ++problemCount_;
  }
  showScanStatus_();
}

void RegistryPage::showProgress(int categoryIndex) {
  controls_.progress.setPosition(controls_.progress.max() * categoryIndex / registry::kProblemCategoryCount);
}

void RegistryPage::showDeleting(int read, int deleted, int total) {
  controls_.status.setSimpleText(statusSummary() + "   " + std::to_string(deleted) + " / " +
                                 std::to_string(total));
  if (total > 0)
    controls_.progress.setPosition(static_cast<int>(static_cast<std::int64_t>(controls_.progress.max()) *
                                                    (read + deleted) / (2 * total)));
}

void RegistryPage::deleteClick() {
  // One deletion at a time; the Search button is its Stop.
  if (deletion_.running()) return;
  // A scan would add rows under the deletion: it stops, and the rows it listed
  // so far are what the deletion takes.
  if (scanRunning_) {
    if (worker_) worker_->stop();
    restoreIdle();
  }
  std::vector<registry::PlannedDeletion> planned = registry::plannedDeletions(controls_.results, problems_);
  if (planned.empty()) return;
  // Read here: the C library's local time is not safe to read off this thread.
  const std::tm time = localTime();

  // The entries are backed up and deleted on a worker while the window stays
  // painted and the status line counts; nothing adds or removes a row meanwhile
  // (Search is Stop, and the page stays). The rows of the entries that went are
  // removed in one pass at the end, also after Stop, which ends the run between
  // two entries: those not yet reached keep their rows as they were, and each
  // one deleted is in the backup, written whole before the first goes.
  controls_.search.setCaption(messages_["StringStop"]);
  showDeleting(0, 0, static_cast<int>(planned.size()));
  auto run = std::make_shared<registry::ProblemDeletionRun>();
  platform::Services& services = services_;
  worker_ = deletion_.start(
      app_,
      [&services, folder = programFolder_, time, planned = std::move(planned), run, this](
          const widgets::UiChannel& ui, const std::function<bool()>& stopRequested) {
        *run = registry::deleteProblems(
            services.registry, planned,
            [&](const registry::RegFileExport& content) {
              return registry::writeRegistryBackup(services, folder, "registry", time, content);
            },
            [&ui, this](int read, int deleted, int total) {
              ui.post([this, read, deleted, total] { showDeleting(read, deleted, total); });
            },
            stopRequested);
      },
      [this, run] {
        controls_.results.removeRows(std::move(run->goneRows));
        restoreIdle();
        // The status line reads the scan's count again.
        showScanStatus_();
        // Nothing was deleted: the user learns why, and where the backup was to go.
        if (run->result.backupFailed)
          app_.messageBox({"Cannot create file " + run->result.backupPath, app_.title(),
                           widgets::MessageButtons::Ok, widgets::MessageIcon::Error});
      });
}

}  // namespace velmora::app
