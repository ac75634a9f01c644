#include "junk/junk_scan.h"

#include <functional>

#include "junk/file_table_walk.h"
#include "junk/folder_walk.h"

namespace velmora::junk {
namespace {

std::string_view fileNameOf(std::string_view path) {
  auto slash = path.rfind('\\');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The extension with its dot, as the shell is asked for a type's icon; empty for a
// name without a dot.
std::string_view dottedExtensionOf(std::string_view fileName) {
  auto dot = fileName.rfind('.');
  return dot == std::string_view::npos ? std::string_view{} : fileName.substr(dot);
}

}  // namespace

JunkScan::JunkScan(platform::Services& services, std::string profileFolder)
    : files_(services.files),
      registry_(services.registry),
      shell_(services.shell),
      drives_(services.drives),
      textFiles_(services.textFiles),
      system_(services.system),
      brokenShortcuts_(services.shell, services.files, services.drives),
      profileFolder_(std::move(profileFolder)) {}

void JunkScan::run(JunkScanView& view) {
  view.clearResults();
  keptEverywhere_ = foldersNoCategoryWalks(profileFolder_, files_, registry_);
  for (int row = 0; row < kJunkCategoryCount; ++row) {
    if (view.stopRequested()) return;
    if (!view.choices()->categories[row]) continue;
    const auto category = static_cast<JunkCategory>(row);
    if (!walksDrives(category)) {
      for (const ScanRoot& root : profileRoots(view, category)) {
        if (view.stopRequested()) return;
        scanRoot(view, category, root);
      }
      continue;
    }
    // The drives are read once per category; each is walked in drive-list order.
    const auto choices = view.choices();
    for (char letter : choices->checkedDrives) {
      if (view.stopRequested()) return;
      if (category == JunkCategory::recycleBin) {
        for (std::string& own : recycleBinRoots(letter, system_.currentUserSid(), files_))
          scanRoot(view, category, {std::move(own), {}});
        continue;
      }
      const std::optional<std::string> root = driveCategoryRoot(category, letter);
      if (!root) continue;
      view.showWalking(choices->readingStructureText + *root);
      scanRoot(view, category, {*root, {}}, letter);
    }
  }
}

std::vector<ScanRoot> JunkScan::profileRoots(JunkScanView& view, JunkCategory category) {
  std::vector<ScanRoot> roots;
  if (auto root = profileCategoryRoot(category, profileFolder_, files_, registry_))
    roots.push_back({std::move(*root), {}});
  if (category != JunkCategory::temporary && category != JunkCategory::temporaryInternet) return roots;
  AppDataFolders appData = appDataFolders(registry_);
  if (appData.local.empty()) appData.local = system_.localAppDataFolder().value_or("");
  if (category == JunkCategory::temporary) {
    for (ScanRoot& root : currentTemporaryRoots(appData.local, files_)) roots.push_back(std::move(root));
    return roots;
  }
  BrowserCaches browsers = findBrowserCaches(files_, textFiles_, drives_, appData);
  for (const BrowserCacheSet& browser : browsers.closed)
    for (const std::string& folder : browser.caches) roots.push_back({folder, {}});
  view.browsersLeftOpen(std::move(browsers.openBrowsers));
  view.browsersListed(std::move(browsers.closed));
  return roots;
}

void JunkScan::scanRoot(JunkScanView& view, JunkCategory category, const ScanRoot& root,
                        std::optional<char> wholeDrive) {
  fileList_.clear();
  {
    // Resolved afresh for every root: the lines may have changed since the last.
    std::vector<std::string> lines = view.choices()->exclusionLines;
    for (std::string& kept : foldersKeptBelow(category, root.folder)) lines.push_back(std::move(kept));
    lines.insert(lines.end(), keptEverywhere_.begin(), keptEverywhere_.end());
    const Exclusions exclusions(files_, lines, &drives_);
    const std::function<bool()> stopRequested = [&view] { return view.stopRequested(); };
    if (!exclusions.coversRoot(root.folder)) {
      // A whole drive is read from its file table where the volume allows it,
      // which lists it in a fraction of a walk's time; otherwise it is walked.
      const bool fromTable = wholeDrive && listDriveFromFileTable(files_, drives_, *wholeDrive, exclusions,
                                                                  fileList_, stopRequested);
      if (!fromTable && !view.stopRequested())
        walkFolder(files_, root.folder, exclusions, fileList_, stopRequested);
      if (wholeDrive) view.showDriveRead(root.folder, fromTable);
    }
  }
  const std::size_t n = fileList_.size();
  int shownPercent = -1;
  for (std::size_t k = 0; k < n; ++k) {
    if (view.stopRequested()) return;
    const std::string_view path = fileList_[k];
    view.showExamining(path);
    if (matchesRootNames(root, fileNameOf(path)) && isListed(category, path, view.choices())) {
      FoundFile file = describe(std::string(path), fileList_.sizeBytes(k));
      file.category = category;
      view.listFile(std::move(file));
    }
    // The bar moves only when its value changes: a root of a million files would
    // otherwise hand the window a million identical positions.
    const int percent = static_cast<int>(100 * k / n);
    if (percent != shownPercent) {
      view.setProgress(percent);
      shownPercent = percent;
    }
  }
  view.rootDone();
}

bool JunkScan::isListed(JunkCategory category, std::string_view path,
                        const std::shared_ptr<const JunkScanChoices>& choices) {
  const std::string_view name = fileNameOf(path);
  switch (category) {
    case JunkCategory::junkFiles: {
      // The catalogue is prepared again only when the user has changed a choice.
      if (choices != patternsFrom_) {
        patterns_.emplace(choices->checkedPatterns);
        patternsFrom_ = choices;
      }
      return patterns_->matches(name);
    }
    case JunkCategory::brokenShortcuts:
      return hasShortcutExtension(name) && brokenShortcuts_.isBroken(path);
    default:
      return true;
  }
}

FoundFile JunkScan::describe(std::string path, std::uint64_t sizeBytes) {
  FoundFile file;
  file.sizeBytes = sizeBytes;
  const std::string_view type = dottedExtensionOf(fileNameOf(path));
  auto icon = iconOfType_.find(type);
  if (icon == iconOfType_.end())
    icon = iconOfType_.emplace(std::string(type), shell_.iconIndexOfType(type)).first;
  file.imageIndex = icon->second;
  file.path = std::move(path);
  return file;
}

}  // namespace velmora::junk
