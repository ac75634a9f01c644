#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "junk/broken_shortcuts.h"
#include "junk/browser_caches.h"
#include "junk/category_roots.h"
#include "junk/exclusions.h"
#include "junk/file_list.h"
#include "junk/junk_name_rules.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "platform/system_info.h"
#include "platform/text_files.h"

namespace velmora::junk {

// What the user has chosen for the scan, as the window last published it: the
// scan reads the latest one each time it needs a choice, so a change made during
// the scan applies from the next time it is read.
struct JunkScanChoices {
  std::array<bool, kJunkCategoryCount> categories{};
  std::vector<char> checkedDrives;           // Letters, in drive-list order.
  std::vector<std::string> checkedPatterns;  // Checked rows of the catalogue.
  std::vector<std::string> exclusionLines;   // Lines of the exclusions memo.
  std::string readingStructureText;          // Shown before a drive root while it is walked.
};

// One junk file found, as its result row shows it.
struct FoundFile {
  JunkCategory category = JunkCategory::junkFiles;  // The category that listed it.
  std::string path;
  std::uint64_t sizeBytes = 0;    // As the folder listing gave it.
  std::optional<int> imageIndex;  // Index in the system small-icon list.
};

// Everything the scan does to the window, in the order it does it. Called on the
// scanning thread; the implementation hands each change to the UI thread.
class JunkScanView {
 public:
  virtual ~JunkScanView() = default;
  virtual std::shared_ptr<const JunkScanChoices> choices() = 0;
  virtual bool stopRequested() = 0;
  virtual void clearResults() = 0;
  // The drive root about to be walked, headed by the "reading structure" text.
  virtual void showWalking(const std::string& text) = 0;
  // The file about to be examined; called for every file, so a window may show
  // only some of them.
  virtual void showExamining(std::string_view path) = 0;
  virtual void listFile(FoundFile file) = 0;
  // How a drive root's files were collected: from the volume's file table, or by
  // walking its folders.
  virtual void showDriveRead(const std::string& root, bool fromFileTable) {
    (void)root;
    (void)fromFileTable;
  }
  virtual void setProgress(int percent) = 0;
  // A root has been processed: whatever the window holds back (rows, the file
  // examined, the bar's position) is to be shown exactly now.
  virtual void rootDone() {}
  // The browsers whose caches were passed over because they are running, by name
  // (empty when none was); told once per scan that looks at the browsers' caches.
  virtual void browsersLeftOpen(std::vector<std::string>) {}
  // The closed browsers whose caches the scan walks, with their locks and folders,
  // for a deletion to ask again (OpenedBrowsers); told with browsersLeftOpen.
  virtual void browsersListed(std::vector<BrowserCacheSet>) {}
};

// The junk-file scan of the Files page: for each checked category and each of its
// root folders, a walk that collects every file below the root, then a pass over
// those files that lists the junk ones.
class JunkScan {
 public:
  JunkScan(platform::Services& services, std::string profileFolder);

  void run(JunkScanView& view);

 private:
  // The folders a profile category (rows 1 to 5) walks.
  std::vector<ScanRoot> profileRoots(JunkScanView& view, JunkCategory category);
  // wholeDrive: the drive letter when root is a whole drive that may be read from
  // its file table.
  void scanRoot(JunkScanView& view, JunkCategory category, const ScanRoot& root,
                std::optional<char> wholeDrive = std::nullopt);
  bool isListed(JunkCategory category, std::string_view path,
                const std::shared_ptr<const JunkScanChoices>& choices);
  FoundFile describe(std::string path, std::uint64_t sizeBytes);

  platform::FileSystem& files_;
  platform::RegistryStore& registry_;
  platform::Shell& shell_;
  platform::Drives& drives_;
  platform::TextFiles& textFiles_;
  platform::SystemInfo& system_;
  BrokenShortcuts brokenShortcuts_;
  std::string profileFolder_;
  FileList fileList_;
  // The folders no category walks in this run (foldersNoCategoryWalks).
  std::vector<std::string> keptEverywhere_;
  // The shell's icon index of each file type met so far: asking the shell costs
  // far more than a lookup, and a type's icon does not change during a scan.
  std::map<std::string, std::optional<int>, std::less<>> iconOfType_;
  // The catalogue patterns prepared for the choices they were made from.
  std::shared_ptr<const JunkScanChoices> patternsFrom_;
  std::optional<JunkPatterns> patterns_;
};

}  // namespace velmora::junk
