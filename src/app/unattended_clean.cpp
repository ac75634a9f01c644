#include "app/unattended_clean.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "app/clean_report.h"
#include "app/command_line.h"
#include "app/folders.h"
#include "app/settings.h"
#include "common/text_lines.h"
#include "junk/catalogue.h"
#include "junk/drive_list.h"
#include "junk/file_deletion.h"
#include "junk/junk_scan.h"
#include "junk/settings_lists.h"
#include "platform/data_folders.h"

namespace velmora::app {
namespace {

constexpr std::string_view kSingleRunLock = "Velmora Disk Cleaner unattended clean";

// The categories as the report names them, by row of the type list. The report is
// English in every interface language, so that a script reads it the same way.
constexpr const char* kCategoryNames[junk::kJunkCategoryCount] = {
    "Junk files",       "Cookies",         "History",
    "Recent documents", "Temporary files", "Temporary Internet files",
    "Recycle Bin",      "Broken shortcuts"};

std::string counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string driveRoot(char letter) { return std::string(1, letter) + ":\\"; }

// The scan's view when there is no window: it keeps what the scan lists.
class CollectingView final : public junk::JunkScanView {
 public:
  explicit CollectingView(junk::JunkScanChoices choices)
      : choices_(std::make_shared<const junk::JunkScanChoices>(std::move(choices))) {}

  std::shared_ptr<const junk::JunkScanChoices> choices() override { return choices_; }
  bool stopRequested() override { return false; }
  void clearResults() override { found.clear(); }
  void showWalking(const std::string&) override {}
  void showExamining(std::string_view) override {}
  void listFile(junk::FoundFile file) override { found.push_back(std::move(file)); }
  void setProgress(int) override {}
  void browsersLeftOpen(std::vector<std::string> names) override { leftOpen = std::move(names); }

  std::vector<junk::FoundFile> found;
  std::vector<std::string> leftOpen;

 private:
  std::shared_ptr<const junk::JunkScanChoices> choices_;
};

// The categories and drives the window remembered, the catalogue and the
// exclusions, as the scan takes them, each named in the report. Why the run
// cannot start, when it cannot.
std::optional<std::string> readChoices(platform::Services& services, const FilesChoices& remembered,
                                       const std::string& programFolder, CleanReport& report,
                                       junk::JunkScanChoices& choices) {
  if (!remembered.remembered)
    return "no categories or drives are remembered: check them on the Files page of the window and close it";

  std::vector<std::string> categories;
  for (int row = 0; row < junk::kJunkCategoryCount; ++row)
    if (remembered.categories[static_cast<std::size_t>(row)]) {
      choices.categories[static_cast<std::size_t>(row)] = true;
      categories.emplace_back(kCategoryNames[row]);
    }
  report.addSetting("Categories", categories.empty() ? "none" : text::joinWith(categories, ", "));
  if (categories.empty()) return "no category is checked on the Files page";

  // The drives are those the Files page would list now; a remembered drive that
  // is not there is passed over.
  const std::vector<char> present = junk::buildDriveLetters(services.drives);
  std::vector<std::string> drives;
  for (char letter : present)
    if (remembered.drives.find(letter) != std::string::npos) {
      choices.checkedDrives.push_back(letter);
      drives.push_back(driveRoot(letter));
    }
  std::vector<std::string> absent;
  for (char letter : remembered.drives)
    if (std::find(present.begin(), present.end(), letter) == present.end())
      absent.push_back(driveRoot(letter));
  report.addSetting("Drives", drives.empty() ? "none" : text::joinWith(drives, ", "));
  if (!absent.empty()) report.addSetting("Not present, passed over", text::joinWith(absent, ", "));
  if (remembered.drives.empty()) return "no drive is checked on the Files page";
  if (drives.empty()) return "none of the drives checked on the Files page is present";

  const std::string cataloguePath = junk::catalogueFilePath(programFolder);
  const platform::FileContents catalogue = services.textFiles.readText(cataloguePath);
  if (!catalogue) return "the junk-type catalogue " + cataloguePath + " cannot be read";
  // Every entry takes part, as every row of the catalogue comes up checked.
  for (const junk::CatalogueEntry& entry : junk::parseCatalogue(catalogue.data))
    choices.checkedPatterns.push_back(entry.pattern);
  report.addSetting("Catalogue",
                    cataloguePath + " (" + counted(choices.checkedPatterns.size(), "entry", "entries") + ")");

  const std::string exclusionsPath = junk::exclusionsFilePath(programFolder);
  const platform::FileContents exclusions = services.textFiles.readText(exclusionsPath);
  if (exclusions.status == platform::ReadStatus::failed)
    return "the exclusion list " + exclusionsPath +
           " exists but cannot be read; nothing is cleaned without it";
  if (exclusions) choices.exclusionLines = text::splitLines(exclusions.data);
  report.addSetting("Exclusions", exclusions
                                      ? exclusionsPath + " (" +
                                            counted(choices.exclusionLines.size(), "line", "lines") + ")"
                                      : "none (" + exclusionsPath + " does not exist)");
  return std::nullopt;
}

// Scans with the choices, and deletes what was found when asked to, through the
// Files page's own deletion (to the Recycle Bin when the user chose so); every
// file goes into the report. The exit code.
int scanAndClean(bool deleteFound, bool toRecycleBin, platform::Services& services,
                 junk::JunkScanChoices choices, CleanReport& report) {
  const junk::RecycleBinRoute route{services.drives, services.shell};
  if (deleteFound) report.addSetting("Deletion", toRecycleBin ? "to the Recycle Bin" : "permanent");
  CollectingView view(std::move(choices));
  junk::JunkScan(services, findProfileFolder(services.registry)).run(view);
  if (!view.leftOpen.empty())
    report.addSetting("Browsers left alone because they are open", text::joinWith(view.leftOpen, ", "));

  // A file that two categories list (a .tmp file in the temporary folder) is one
  // file: it is reported and deleted once, not counted as failing the second
  // time because the first deletion removed it.
  std::set<std::string> seen;
  int found = 0;
  int deleted = 0;
  std::uint64_t foundBytes = 0;
  std::uint64_t deletedBytes = 0;
  for (const junk::FoundFile& file : view.found) {
    if (!seen.insert(text::asciiLower(file.path)).second) continue;
    ++found;
    foundBytes += file.sizeBytes;
    std::string outcome = "would delete";
    if (deleteFound) {
      const junk::Disposal disposal =
          junk::disposeJunkFile(services.files, toRecycleBin ? &route : nullptr, file.path);
      outcome = outcomeText(disposal);
      if (disposal.outcome == junk::Disposed::deleted || disposal.outcome == junk::Disposed::recycled) {
        ++deleted;
        deletedBytes += file.sizeBytes;
      }
    }
    report.addFile(file.path, file.sizeBytes, outcome);
  }
  const int exitCode = deleteFound && deleted < found ? kExitSomeNotDeleted : kExitDone;
  report.finish(found, foundBytes, deleted, deletedBytes, !deleteFound, exitCode);
  return exitCode;
}

}  // namespace

int runUnattendedClean(bool deleteFound, platform::Services& services, platform::ProcessHost& host,
                       const std::string& exePath) {
  const std::string command = deleteFound ? "/auto" : "/preview";
  // Held until the run returns. A second /auto writes no report: its name, taken
  // from the second it started, could be the running one's.
  std::unique_ptr<platform::HeldLock> lock;
  if (deleteFound && !(lock = host.tryLock(kSingleRunLock))) {
    host.writeToStarter(
        "Velmora Disk Cleaner /auto: another /auto run is in progress; this one did nothing.\r\n"
        "Exit code: " +
        std::to_string(kExitCannotStart) + "\r\n");
    return kExitCannotStart;
  }

  CleanReport report(command, host.localTime());
  const Settings settings = SettingsFile(services.textFiles, SettingsFile::pathFor(exePath)).read();
  const std::string programFolder = folderPart(exePath);
  junk::JunkScanChoices choices;
  int exitCode = kExitCannotStart;
  if (const std::optional<std::string> problem =
          readChoices(services, settings.files, programFolder, report, choices))
    report.addCannotStart(*problem, exitCode);
  else
    exitCode = scanAndClean(deleteFound, settings.recycleDeleted, services, std::move(choices), report);

  const std::optional<std::string> written =
      platform::writeDataFile(services.files, services.textFiles, services.system, programFolder, "logs",
                              report.fileName(), report.text());
  host.writeToStarter(report.text() +
                      (written ? "Report: " + *written
                               : std::string("The report could not be written beside the program or in the "
                                             "local application data.")) +
                      "\r\n");
  return exitCode;
}

}  // namespace velmora::app
