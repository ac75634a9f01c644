#include "unattended/unattended_clean.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "unattended/clean_report.h"
#include "unattended/command_line.h"
#include "settings/folders.h"
#include "unattended/report_file.h"
#include "settings/settings.h"
#include "common/text_lines.h"
#include "junk/catalogue.h"
#include "junk/drive_list.h"
#include "junk/exclusions.h"
#include "junk/file_deletion.h"
#include "junk/junk_scan.h"
#include "junk/settings_lists.h"
#include "platform/drives.h"
#include "platform/system_info.h"
#include "platform/text_files.h"

namespace velmora::unattended {
namespace {

constexpr std::string_view kSingleRunLock = "Velmora Disk Cleaner unattended clean";

// Task Scheduler stops a run after two hours (the task's ExecutionTimeLimit),
// wherever it is, even in the middle of a batch of deletions: /auto stops itself
// five minutes before, between two batches, and reports what it left.
constexpr std::chrono::minutes kRunTimeLimit{115};

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

// A volume by its serial number as Windows shows it ("volume 1A2B-3C4D").
std::string volumeText(std::uint32_t serial) {
  char text[24];
  std::snprintf(text, sizeof text, "volume %04X-%04X", static_cast<unsigned>(serial >> 16),
                static_cast<unsigned>(serial & 0xFFFF));
  return text;
}

// The scan's view when there is no window: it keeps what the scan lists.
class CollectingView final : public junk::JunkScanView {
 public:
  explicit CollectingView(junk::JunkScanChoices choices)
      : choices_(std::make_shared<const junk::JunkScanChoices>(std::move(choices))) {}

  std::shared_ptr<const junk::JunkScanChoices> choices() override { return choices_; }
  bool stopRequested() override { return outOfTime && (cutShort = cutShort || outOfTime()); }
  void clearResults() override { found.clear(); }
  void showWalking(const std::string&) override {}
  void showExamining(std::string_view) override {}
  void listFile(junk::FoundFile file) override { found.push_back(std::move(file)); }
  void setProgress(int) override {}
  // A drive that two categories read is named once, as the later one read it.
  void showDriveRead(const std::string& root, bool fromFileTable) override {
    for (auto& [known, fromTable] : driveReads)
      if (known == root) {
        fromTable = fromFileTable;
        return;
      }
    driveReads.emplace_back(root, fromFileTable);
  }

  void browsersLeftOpen(std::vector<std::string> names) override { leftOpen = std::move(names); }
  void browsersListed(std::vector<junk::BrowserCacheSet> browsers) override { listed = std::move(browsers); }

  std::function<bool()> outOfTime;  // Whether the run is to stop now.
  bool cutShort = false;             // The scan stopped before its end.
  std::vector<junk::FoundFile> found;
  std::vector<std::string> leftOpen;
  std::vector<junk::BrowserCacheSet> listed;
  std::vector<std::pair<std::string, bool>> driveReads;

 private:
  std::shared_ptr<const junk::JunkScanChoices> choices_;
};

// Whose files the run reaches: the account it runs as and that account's profile.
// Why it cannot start, when it runs as LocalSystem.
std::optional<std::string> checkAccount(platform::Services& services, const std::string& profileFolder,
                                        CleanReport& report) {
  const bool localSystem = services.system.runsAsLocalSystem();
  report.addSetting("Account", localSystem ? "LocalSystem" : services.system.userName().value_or("unknown"));
  // The folder as Explorer shows it, without the backslash that ends it.
  std::string profile = profileFolder.empty() ? "none found" : profileFolder;
  if (profile.size() > 3 && profile.ends_with('\\')) profile.pop_back();
  report.addSetting("Profile", profile);
  if (localSystem)
    return "it runs as the LocalSystem account, whose folders and Recycle Bin hold none of the user's files: "
           "set the task to run as the user whose files it should clean";
  return std::nullopt;
}

// The drives to walk: those remembered that the Files page would list now and
// that hold the volume they held when they were checked. A drive that is not
// there, or holds another volume tonight, is passed over and named.
std::optional<std::string> readDrives(platform::Services& services, const settings::FilesChoices& remembered,
                                      CleanReport& report, junk::JunkScanChoices& choices) {
  const std::vector<char> present = junk::buildDriveLetters(services.drives);
  std::vector<std::string> drives;
  std::vector<std::string> absent;
  std::vector<std::string> otherVolume;
  for (char letter : remembered.drives) {
    const std::string root = driveRoot(letter);
    if (std::find(present.begin(), present.end(), letter) == present.end()) {
      absent.push_back(root);
      continue;
    }
    if (const auto chosen = remembered.serials.find(letter); chosen != remembered.serials.end()) {
      const std::optional<platform::VolumeInformation> volume = services.drives.getVolumeInformation(root);
      if (!volume || volume->serialNumber != chosen->second) {
        otherVolume.push_back(root + " (chosen: " + volumeText(chosen->second) + ", now: " +
                              (volume ? volumeText(volume->serialNumber) : std::string("unreadable")) + ")");
        continue;
      }
    }
    drives.push_back(root);
  }
  // The scan walks the drives in the order of the drive list.
  for (char letter : present)
    if (std::find(drives.begin(), drives.end(), driveRoot(letter)) != drives.end())
      choices.checkedDrives.push_back(letter);
  report.addSetting("Drives", drives.empty() ? "none" : text::joinWith(drives, ", "));
  if (!absent.empty()) report.addSetting("Not present, passed over", text::joinWith(absent, ", "));
  if (!otherVolume.empty())
    report.addSetting("Another volume than the one chosen, passed over", text::joinWith(otherVolume, ", "));
  if (remembered.drives.empty()) return "no drive is checked on the Files page";
  if (drives.empty())
    return "none of the drives checked on the Files page is present with the volume it held when checked";
  return std::nullopt;
}

// The exclusion list as the scan takes it, expanded for this run's environment.
// A list that cannot be read, or a line that names no folder, stops the run: it
// would clean what the user meant to protect.
std::optional<std::string> readExclusions(platform::Services& services, const std::string& programFolder,
                                          CleanReport& report, junk::JunkScanChoices& choices) {
  const std::string exclusionsPath = junk::exclusionsFilePath(programFolder);
  const platform::FileContents exclusions = services.textFiles.readText(exclusionsPath);
  if (exclusions.status == platform::ReadStatus::failed)
    return "the exclusion list " + exclusionsPath +
           " exists but cannot be read; nothing is cleaned without it";
  const std::vector<std::string> lines =
      exclusions ? text::splitLines(exclusions.data) : std::vector<std::string>();
  report.addSetting("Exclusions", exclusions
                                      ? exclusionsPath + " (" + counted(lines.size(), "line", "lines") + ")"
                                      : "none (" + exclusionsPath + " does not exist)");
  const std::vector<std::string> none = junk::linesNamingNoFolder(lines, services.system);
  if (!none.empty())
    return "these lines of the exclusion list name no folder and protect nothing: " +
           text::joinWith(none, ", ") + "; mend them in the Settings window";
  choices.exclusionLines = junk::expandedExclusionLines(lines, services.system);
  return std::nullopt;
}

// The categories and drives the window remembered, the catalogue and the
// exclusions, as the scan takes them, each named in the report. Why the run
// cannot start, when it cannot.
std::optional<std::string> readChoices(platform::Services& services, const settings::Settings& saved,
                                       const std::string& settingsPath, const std::string& programFolder,
                                       CleanReport& report, junk::JunkScanChoices& choices) {
  const settings::FilesChoices& remembered = saved.files;
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

  if (std::optional<std::string> problem = readDrives(services, remembered, report, choices)) return problem;

  const std::string cataloguePath = junk::catalogueFilePath(programFolder);
  const platform::FileContents catalogue = services.textFiles.readText(cataloguePath);
  if (!catalogue) return "the junk-type catalogue " + cataloguePath + " cannot be read";
  // Every entry takes part, as every row of the catalogue comes up checked.
  for (const junk::CatalogueEntry& entry : junk::parseCatalogue(catalogue.data))
    choices.checkedPatterns.push_back(entry.pattern);
  report.addSetting("Catalogue",
                    cataloguePath + " (" + counted(choices.checkedPatterns.size(), "entry", "entries") + ")");

  if (std::optional<std::string> problem = readExclusions(services, programFolder, report, choices))
    return problem;

  // Whether to delete for good or keep an undo is the user's to say, never a guess.
  for (const std::string& unreadable : saved.unreadable)
    if (text::asciiLower(unreadable).starts_with("recycledeleted="))
      return "the settings file " + settingsPath + " holds " + unreadable +
             ", which is no truth value: it cannot tell whether to move the files to the Recycle Bin";
  return std::nullopt;
}

// Scans with the choices, and deletes what was found when asked to, through the
// Files page's own deletion (to the Recycle Bin when the user chose so); every
// file goes into the report, and the report's file, as it is decided. The exit
// code.
int scanAndClean(bool deleteFound, bool toRecycleBin, platform::Services& services,
                 const std::string& profileFolder, junk::JunkScanChoices choices, CleanReport& report,
                 ReportFile& file, const std::function<bool()>& outOfTime) {
  // Nobody is asked: files a Recycle Bin has no room for are left and reported.
  junk::RecycleBinRoute route{services.drives, services.shell};
  if (deleteFound) report.addSetting("Deletion", toRecycleBin ? "to the Recycle Bin" : "permanent");
  file.add(report.takeNew(), true);
  CollectingView view(std::move(choices));
  view.outOfTime = outOfTime;
  junk::JunkScan(services, profileFolder).run(view);
  for (const auto& [root, fromFileTable] : view.driveReads)
    report.addSetting("Drive " + root, fromFileTable ? "read from the file table" : "walked");
  if (!view.leftOpen.empty())
    report.addSetting("Browsers left alone because they are open", text::joinWith(view.leftOpen, ", "));

  // A file that two categories list (a .tmp file in the temporary folder) is one
  // file: it is reported and deleted once, not counted as failing the second
  // time because the first deletion removed it.
  std::set<std::string> seen;
  std::vector<const junk::FoundFile*> unique;
  std::vector<std::string> paths;
  for (const junk::FoundFile& listed : view.found)
    if (seen.insert(text::asciiLower(listed.path)).second) {
      unique.push_back(&listed);
      paths.push_back(listed.path);
    }
  if (deleteFound && toRecycleBin) junk::prepareRecycling(services.files, route, paths);
  const int found = static_cast<int>(unique.size());
  int deleted = 0;
  std::uint64_t foundBytes = 0;
  std::uint64_t deletedBytes = 0;
  const auto reported = [&](std::size_t index, const std::string& outcome) {
    foundBytes += unique[index]->sizeBytes;
    report.addFile(unique[index]->path, unique[index]->sizeBytes, outcome);
    file.add(report.takeNew());
  };
  // The files go in batches, each line of the report as soon as its batch is done;
  // a browser started during the long walk keeps its files.
  junk::OpenedBrowsers browsers(services.files, std::move(view.listed));
  std::size_t reached = unique.size();
  if (deleteFound && !view.cutShort)
    reached = junk::disposeJunkFiles(
        services.files, toRecycleBin ? &route : nullptr, paths,
        [&](std::size_t index, const junk::Disposal& disposal) {
          if (disposal.outcome == junk::Disposed::deleted || disposal.outcome == junk::Disposed::recycled) {
            ++deleted;
            deletedBytes += unique[index]->sizeBytes;
          }
          reported(index, outcomeText(disposal));
        },
        outOfTime, &browsers);
  else if (deleteFound)
    reached = 0;
  else
    for (std::size_t index = 0; index < unique.size(); ++index) reported(index, "would delete");
  for (std::size_t index = reached; index < unique.size(); ++index)
    reported(index, "not deleted: not reached before the time limit");
  if (!browsers.names().empty())
    report.addSetting("Browsers left alone because they were opened after the scan",
                      text::joinWith(browsers.names(), ", "));
  if (view.cutShort || reached < unique.size())
    report.addSetting("Time limit", "stopped at " + std::to_string(kRunTimeLimit.count() / 60) + " h " +
                                        std::to_string(kRunTimeLimit.count() % 60) + " min, " +
                                        (view.cutShort ? std::string("before the search had finished")
                                                       : counted(unique.size() - reached, "file", "files") +
                                                             " not reached"));
  const int exitCode = deleteFound && (deleted < found || view.cutShort) ? kExitSomeNotDeleted : kExitDone;
  report.finish(found, foundBytes, deleted, deletedBytes, !deleteFound, exitCode);
  return exitCode;
}

// The run after its report's file is begun: the choices, then the scan and the
// deletion. An error nothing else caught (no memory left, a thread that cannot
// start) ends it with kExitCannotStart and a line saying so, never with the C
// runtime's abort, whose box would wait in a session nobody sees.
int runWithReport(bool deleteFound, platform::Services& services, const std::string& exePath,
                  CleanReport& report, ReportFile& file, const std::function<bool()>& outOfTime) {
  try {
    const std::string settingsPath = settings::SettingsFile::pathFor(exePath);
    const std::string programFolder = settings::folderPart(exePath);
    const std::string profileFolder = settings::findProfileFolder(services.shell);
    const settings::Settings saved = settings::SettingsFile(services.textFiles, settingsPath).read();
    junk::JunkScanChoices choices;
    std::optional<std::string> problem = checkAccount(services, profileFolder, report);
    if (!problem) problem = readChoices(services, saved, settingsPath, programFolder, report, choices);
    if (problem) {
      report.addCannotStart(*problem, kExitCannotStart);
      return kExitCannotStart;
    }
    return scanAndClean(deleteFound, saved.recycleDeleted, services, profileFolder, std::move(choices),
                        report, file, outOfTime);
  } catch (const std::exception& error) {
    report.addStopped(std::string("an error the run could not go on from: ") + error.what(),
                      kExitCannotStart);
  } catch (...) {
    report.addStopped("an error the run could not go on from", kExitCannotStart);
  }
  return kExitCannotStart;
}

}  // namespace

int runUnattendedClean(bool deleteFound, platform::Services& services, platform::ProcessHost& host,
                       const std::string& exePath) {
  const std::string command = deleteFound ? "/auto" : "/preview";
  // Held until the run returns. A second /auto writes no report: it did nothing,
  // and its exit code says why.
  std::unique_ptr<platform::HeldLock> lock;
  if (deleteFound && !(lock = host.tryLock(kSingleRunLock))) {
    host.writeToStarter(
        "Velmora Disk Cleaner /auto: another /auto run is in progress; this one did nothing.\r\n"
        "Exit code: " +
        std::to_string(kExitCannotStart) + "\r\n");
    return kExitCannotStart;
  }

  CleanReport report(command, host.localTime());
  ReportFile file(services, settings::folderPart(exePath));
  // A run that could keep no report of what it deletes does nothing.
  if (!file.begin(report.fileStem(), report.takeNew())) {
    host.writeToStarter(report.text() +
                        "Cannot start: the report could not be written beside the program or in the local "
                        "application data; nothing was done.\r\nExit code: " +
                        std::to_string(kExitCannotStart) + "\r\n");
    return kExitCannotStart;
  }
  const std::chrono::milliseconds started = host.tickCount();
  const std::function<bool()> outOfTime = [&] {
    return deleteFound && host.tickCount() - started >= kRunTimeLimit;
  };
  int exitCode = runWithReport(deleteFound, services, exePath, report, file, outOfTime);
  file.add(report.takeNew(), true);
  std::string ending = "Report: " + file.path() + "\r\n";
  if (file.incomplete()) {
    // The run did its work, but its record on disk misses part of it: a script that
    // reads only the exit code must still learn that not all is well.
    if (exitCode == kExitDone) exitCode = kExitSomeNotDeleted;
    ending +=
        "The report could not be written to the end: the text above is the whole report.\r\n"
        "Exit code: " +
        std::to_string(exitCode) + "\r\n";
  }
  host.writeToStarter(report.text() + ending);
  return exitCode;
}

}  // namespace velmora::unattended
