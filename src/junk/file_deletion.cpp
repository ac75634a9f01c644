#include "junk/file_deletion.h"

#include <cctype>
#include <charconv>
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "common/text_lines.h"
#include "junk/browser_caches.h"
#include "junk/category_roots.h"

namespace velmora::junk {
namespace {

// The size column holds a plain decimal number of kilobytes; anything else adds 0.
std::int64_t kilobytesOf(std::string_view cell) {
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  return error == std::errc{} && end == cell.data() + cell.size() ? value : 0;
}

// Windows keeps a Recycle Bin on fixed drives only: a file deleted on a removable,
// network, optical or RAM drive is gone for good. A path that does not start with
// a drive letter (a network share) has none either.
bool driveKeepsRecycleBin(platform::Drives& drives, std::string_view path) {
  if (path.size() < 3 || path[1] != ':' || path[2] != '\\') return false;
  return drives.getDriveType(path.substr(0, 3)) == platform::DriveType::fixed;
}

std::string driveRoot(std::string_view path) {
  std::string root(path.substr(0, 3));
  root[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
  return root;
}

// Whether a path goes to a Recycle Bin at all when recycled.
bool goesToRecycleBin(platform::FileSystem& files, const RecycleBinRoute& route, const std::string& path) {
  return !liesInRecycleBin(path, files) && driveKeepsRecycleBin(route.drives, path);
}

}  // namespace

bool prepareRecycling(platform::FileSystem& files, RecycleBinRoute& route,
                      const std::vector<std::string>& paths) {
  std::map<std::string, std::uint64_t> bytesPerDrive;
  for (const std::string& path : paths) {
    if (!goesToRecycleBin(files, route, path)) continue;
    std::uint64_t& bytes = bytesPerDrive[driveRoot(path)];
    platform::FindData entry;
    if (files.findFirstFile(path, entry)) bytes += entry.size;
  }
  route.fullBins.clear();
  for (const auto& [root, bytes] : bytesPerDrive) {
    // A bin the shell cannot measure keeps no limit it could enforce by pushing
    // items out: Wine's bin is the desktop's trash, which has none, and answers
    // E_FAIL. Windows measures every bin it keeps.
    const std::optional<platform::RecycleBinSpace> bin = route.shell.recycleBinSpace(root);
    if (!bin) continue;
    if (bin->usedBytes > bin->limitBytes || bytes > bin->limitBytes - bin->usedBytes)
      route.fullBins.insert(root);
  }
  route.fullBinChoice = BinFullChoice::leave;
  if (!route.fullBins.empty() && route.whenBinFull)
    route.fullBinChoice =
        route.whenBinFull(std::vector<std::string>(route.fullBins.begin(), route.fullBins.end()));
  return route.fullBinChoice != BinFullChoice::cancel;
}

namespace {

// Files per batch: enough that the shell's cost of an operation is spread thin,
// few enough that Stop and the figures on screen wait at most about a second.
constexpr std::size_t kBatchSize = 128;

// What becomes of a file without the shell: deleted, kept, or refused by the
// checks; nothing when it is to go to the Recycle Bin, which the checks allow.
std::optional<Disposal> disposeWithoutShell(platform::FileSystem& files, const RecycleBinRoute* toRecycleBin,
                                            const std::string& path) {
  // Files in the Recycle Bin's own folders would only go back into it.
  if (toRecycleBin == nullptr || liesInRecycleBin(path, files)) {
    const platform::FileStatus deleted = files.deleteFile(path);
    return Disposal{deleted ? Disposed::deleted : Disposed::failed, deleted.error};
  }
  if (!driveKeepsRecycleBin(toRecycleBin->drives, path)) return Disposal{Disposed::keptOutOfBin};
  if (toRecycleBin->fullBins.contains(driveRoot(path))) {
    if (toRecycleBin->fullBinChoice != BinFullChoice::deleteForGood)
      return Disposal{Disposed::keptForBinRoom};
    const platform::FileStatus deleted = files.deleteFile(path);
    return Disposal{deleted ? Disposed::deleted : Disposed::failed, deleted.error};
  }
  // The shell moves whatever the path leads to, through links on the way: the
  // file is first the one deleteFile would delete, a plain file at this path.
  if (const platform::FileStatus deletable = files.checkDeletable(path); !deletable)
    return Disposal{Disposed::failed, deletable.error};
  return std::nullopt;
}

Disposal disposalOf(platform::RecycleOutcome outcome) {
  switch (outcome) {
    case platform::RecycleOutcome::recycled:
      return {Disposed::recycled};
    case platform::RecycleOutcome::notRecycled:
      return {Disposed::keptOutOfBin, platform::FileError::none, OutOfBin::binRefused};
    case platform::RecycleOutcome::deletedForGood:
      return {Disposed::deleted};
    case platform::RecycleOutcome::failed:
      break;
  }
  return {Disposed::failed, platform::FileError::other};
}

}  // namespace

std::size_t disposeJunkFiles(platform::FileSystem& files, const RecycleBinRoute* toRecycleBin,
                             const std::vector<std::string>& paths,
                             const std::function<void(std::size_t index, const Disposal&)>& decided,
                             const std::function<bool()>& stopRequested, OpenedBrowsers* browsers) {
  std::unique_ptr<platform::RecycleRun> run;
  std::size_t next = 0;
  while (next < paths.size() && !(stopRequested && stopRequested())) {
    const std::size_t first = next;
    std::vector<std::optional<Disposal>> batch;
    std::vector<std::string> sending;
    std::vector<std::size_t> sentFrom;  // Each sent file's place in the batch.
    std::set<std::string> inBatch;
    // A browser may start at any time: its lock is read again for every batch.
    if (browsers) browsers->readLocksAgain();
    for (; next < paths.size() && next - first < kBatchSize; ++next) {
      // A file listed twice would go once and count twice: the batch ends before
      // its second row, which the next batch checks again once the file has gone.
      if (!inBatch.insert(text::asciiLower(paths[next])).second) break;
      if (const std::string* opened = browsers ? browsers->openedBrowserOf(paths[next]) : nullptr) {
        Disposal left{Disposed::keptBrowserOpen};
        left.browser = *opened;
        batch.push_back(std::move(left));
        continue;
      }
      batch.push_back(disposeWithoutShell(files, toRecycleBin, paths[next]));
      if (batch.back()) continue;
      sending.push_back(paths[next]);
      sentFrom.push_back(batch.size() - 1);
    }
    if (!sending.empty()) {
      if (!run) run = toRecycleBin->shell.beginRecycling();
      const std::vector<platform::RecycleOutcome> outcomes = run->moveToRecycleBin(sending);
      for (std::size_t k = 0; k < sentFrom.size(); ++k)
        batch[sentFrom[k]] = k < outcomes.size() ? disposalOf(outcomes[k]) : Disposal{};
    }
    for (std::size_t k = 0; k < batch.size(); ++k) decided(first + k, *batch[k]);
  }
  return next;
}

std::vector<CheckedFile> checkedFiles(const widgets::ListView& results) {
  std::vector<CheckedFile> checked;
  for (int row = results.count() - 1; row >= 0; --row)
    if (results.checked(row))
      checked.push_back({row, results.rowCaption(row), kilobytesOf(results.cellView(row, 1))});
  return checked;
}

std::vector<std::string> pathsOf(const std::vector<CheckedFile>& checked) {
  std::vector<std::string> paths;
  paths.reserve(checked.size());
  for (const CheckedFile& file : checked) paths.push_back(file.path);
  return paths;
}

DeletionRun deleteFiles(platform::FileSystem& files, const std::vector<CheckedFile>& checked,
                        const RecycleBinRoute* toRecycleBin,
                        const std::function<void(const DeletionResult&)>& progress,
                        const std::function<bool()>& stopRequested, OpenedBrowsers* browsers) {
  using Clock = std::chrono::steady_clock;
  DeletionRun run;
  run.result.toRecycleBin = toRecycleBin != nullptr;
  auto lastShown = Clock::now();
  disposeJunkFiles(
      files, toRecycleBin, pathsOf(checked),
      [&](std::size_t index, const Disposal& disposal) {
        const CheckedFile& file = checked[index];
        switch (disposal.outcome) {
          case Disposed::deleted:
            ++run.result.deletedCount;
            run.result.freedKb += file.kilobytes;
            break;
          case Disposed::recycled:
            ++run.result.recycledCount;
            run.result.recycledKb += file.kilobytes;
            break;
          case Disposed::keptOutOfBin:
          case Disposed::keptForBinRoom:
            ++run.result.keptOutOfBinCount;
            return;
          case Disposed::keptBrowserOpen:
            if (run.result.browsersOpened != browsers->names()) {
              run.result.browsersOpened = browsers->names();
              if (progress) progress(run.result);
            }
            return;
          case Disposed::failed:
            return;
        }
        run.goneRows.push_back(file.row);
        if (progress && Clock::now() - lastShown >= std::chrono::milliseconds(50)) {
          progress(run.result);
          lastShown = Clock::now();
        }
      },
      stopRequested, browsers);
  return run;
}

DeletionResult deleteCheckedFiles(platform::FileSystem& files, widgets::ListView& results,
                                  const std::function<void(const DeletionResult&)>& progress,
                                  RecycleBinRoute* toRecycleBin) {
  const std::vector<CheckedFile> checked = checkedFiles(results);
  if (toRecycleBin && !prepareRecycling(files, *toRecycleBin, pathsOf(checked))) {
    DeletionResult cancelled;
    cancelled.toRecycleBin = true;
    cancelled.cancelled = true;
    return cancelled;
  }
  DeletionRun run = deleteFiles(files, checked, toRecycleBin, progress);
  // The rows of deleted files go together once every file has been tried: a
  // hundred thousand of a million rows removed one by one would take minutes.
  results.removeRows(std::move(run.goneRows));
  return run.result;
}

std::string deletionStatusText(const std::string& filesDeletedText, const std::string& spaceClearedText,
                               const DeletionResult& result) {
  return filesDeletedText + std::to_string(result.deletedCount) + "\n" + spaceClearedText +
         std::to_string(result.freedKb) + " Kb.";
}

std::string recyclingStatusText(const RecyclingTexts& texts, const DeletionResult& result) {
  std::string text = texts.filesRecycled + std::to_string(result.recycledCount) + "\n" + texts.totalSize +
                     std::to_string(result.recycledKb) + " Kb.";
  if (result.deletedCount > 0) {
    text += '\n';
    text += deletionStatusText(texts.filesDeleted, texts.spaceCleared, result);
  }
  if (result.keptOutOfBinCount > 0) {
    text += '\n';
    text += texts.keptOutOfBin;
    text += std::to_string(result.keptOutOfBinCount);
  }
  return text;
}

}  // namespace velmora::junk
